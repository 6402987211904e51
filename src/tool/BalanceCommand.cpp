#include <QString>

#include "core/ShortList.h"
#include "core/archive/Archive.h"
#include "core/game/AnimationSummary.h"
#include "core/game/BalanceMap.h"
#include "core/game/BalanceMapPicture.h"
#include "core/game/MatchupTable.h"
#include "core/game/UnitDuel.h"
#include "core/model/TypedNumber.h"
#include "platform/GameArchives.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/PngOutput.h"
#include "tool/ToolFiles.h"
#include "tool/UnitNames.h"

namespace tarnwick::tool {

namespace {

constexpr std::int64_t kAnimationEntry = 278;
constexpr std::int64_t kLargestMapSide = 4096;

std::vector<std::uint8_t> animationScripts(const Invocation& invocation) {
    if (const auto scripts = invocation.value("scripts")) {
        return readInput(*scripts, archive::kLargestEntry);
    }
    if (const auto game = invocation.value("game")) {
        const platform::MappedFile archive =
            platform::openGameArchive(systemName(*game), "MAINDAT.WAR");
        return archive::ArchiveView(archive.bytes()).extract(kAnimationEntry);
    }
    throw UsageError("balance needs the animation scripts: --game DIR or --scripts FILE");
}

game::SummaryWithFailures summary(const Invocation& invocation) {
    game::SummaryWithFailures walked = game::summariseAnimations(animationScripts(invocation));
    if (!walked.failures.empty()) {
        invocation.warn(std::to_string(walked.failures.size()) +
                        " animation scripts could not be walked and count as empty:");
        const std::string report = shortList(walked.failures);
        for (std::size_t start = 0; start < report.size();) {
            const std::size_t end = std::min(report.find('\n', start), report.size());
            invocation.warn(report.substr(start, end - start));
            start = end + 1;
        }
    }
    return walked;
}

game::ChosenUnit chosenUnit(const UnitNames& names, const std::string& argumentName,
                            const std::string& argument) {
    const std::size_t row = names.fromArgument(argumentName, argument);
    if (row >= game::kAnimatedUnitCount) {
        throw UsageError(argumentName + ": Unit " + argument + " cannot be compared (0 to 104)");
    }
    return {row, names.shown(row).empty() ? std::to_string(row) : names.shown(row)};
}

game::MapShows mapShows(const std::string& show) {
    return show == "time"   ? game::MapShows::Time
           : show == "cost" ? game::MapShows::Cost
                            : game::MapShows::Outcome;
}

// The balance map's picture, at the default cells or within --size.
void writeBalanceMap(const Invocation& invocation, const game::BalanceMatrix& matrix,
                     std::span<const std::string> names) {
    const game::BalanceMapScope scope{matrix.units(), matrix.units(),
                                      invocation.value("start") == "max-distance"
                                          ? game::DuelStart::MaxDistance
                                          : game::DuelStart::PointBlank,
                                      mapShows(invocation.value("show").value_or("outcome"))};
    const game::BalanceMapTexts texts = game::balanceMapTexts(matrix, scope, names);
    const auto size = invocation.value("size");
    const std::optional<game::BalanceMapLayout> layout =
        size
            ? game::fittedBalanceMapLayout(texts, static_cast<int>(model::parseTypedInteger(*size)))
            : game::balanceMapLayout(texts, game::kDefaultCellSize);
    if (!layout) {
        const int smallest = game::balanceMapLayout(texts, game::kSmallestCellSize).largerSide();
        throw Error("--size " + *size + " is too small: the balance map of " +
                    std::to_string(scope.rows.size()) + " units needs at least " +
                    std::to_string(smallest) + " pixels");
    }
    graphics::RgbPicture picture = game::drawBalanceMap(matrix, scope, texts, *layout);
    const auto width = static_cast<std::uint32_t>(picture.width());
    const auto height = static_cast<std::uint32_t>(picture.height());
    writePng(*invocation.value("matrix"),
             {width, height, std::move(picture).takePixels(), std::nullopt});
}

void compare(const Invocation& invocation, std::ostream& out) {
    const auto& arguments = invocation.arguments;
    const bool matrix = invocation.isSet("matrix");
    if (matrix == (arguments.size() == 3)) {
        throw UsageError(matrix ? "--matrix compares every pair: leave out A and B"
                                : "balance needs units A and B, or --matrix OUT");
    }
    if (matrix && invocation.isSet("ticks")) {
        throw UsageError("--matrix writes seconds; --ticks is for A and B");
    }
    // Standard output has no name to tell a picture by: it takes the CSV.
    const bool picture = matrix && hasExtension(*invocation.value("matrix"), ".png");
    for (const std::string option : {"start", "show", "size"}) {
        if (invocation.isSet(option) && !picture) {
            throw UsageError("--" + option + " is for the balance map: --matrix OUT.png");
        }
    }
    if (matrix) {
        checkOutput(*invocation.value("matrix"),
                    {arguments[0], invocation.value("scripts").value_or(arguments[0])},
                    picture ? OutputForm::Binary : OutputForm::Text);
    }
    const UnitNames names(invocation.value("game"));
    std::vector<game::ChosenUnit> chosen;  // checked before any file is read
    if (!matrix) {
        chosen = {chosenUnit(names, "A", arguments[1]), chosenUnit(names, "B", arguments[2])};
    }
    const model::Document document = openUnitData(arguments[0]);
    const game::SummaryWithFailures walked = summary(invocation);
    const game::AnimationSummary& scripts = walked.summary;
    warnOfIgnoredUnitData(invocation, document, arguments[0]);
    if (matrix) {
        std::vector<std::string> shown;
        for (std::size_t row = 0; row < game::kAnimatedUnitCount; ++row) {
            shown.push_back(names.shown(row));
        }
        if (picture) {
            const game::BalanceMatrix duels(game::matchups(document.unitData, scripts));
            if (const auto reason = game::emptyMapReason(duels, walked)) {
                throw Error(*reason);
            }
            writeBalanceMap(invocation, duels, shown);
            return;
        }
        const std::string csv = game::matchupTableCsv(document.unitData, scripts, shown);
        writeOutput(*invocation.value("matrix"),
                    std::span(reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()));
        return;
    }
    const game::TimeUnit unit =
        invocation.isSet("ticks") ? game::TimeUnit::Ticks : game::TimeUnit::Seconds;
    for (const std::string& line :
         game::compareUnits(document.unitData, scripts, chosen[0], chosen[1], unit)) {
        out << line << '\n';
    }
}

}  // namespace

std::vector<Command> balanceCommands() {
    return {
        {"balance",
         "The game balance calculator: how long unit A needs to kill unit B and B to kill A, "
         "from point blank and from the greatest distance, in the lines the editor's Unit "
         "Compare window shows. With --matrix, every pair of units 0 to 104 that can fight at "
         "all instead: as CSV, times in seconds and each unit's cost, or, for an OUT ending in "
         ".png, as the balance "
         "map, a picture of coloured cells with attackers (A) down the rows and defenders (B) "
         "across the columns. Standard output (-) takes the CSV.",
         {{"FILE", "a scenario or unit data file"},
          {"A", "a unit 0 to 104: its id, or its name as units prints it", unitValue(), true},
          {"B", "the other unit, the same way", unitValue(), true}},
         {{"game", "DIR",
           "the game directory: the animation scripts (entry 278 of MAINDAT.WAR) and the "
           "names of the units",
           directoryValue()},
          {"scripts", "FILE", "the animation scripts as extracted, instead of the game's"},
          {"ticks", "", "times in ticks (36 a second) instead of seconds"},
          {"matrix", "OUT", "write the whole matchup table to OUT: the map for .png, else CSV"},
          {"start", "WHERE",
           "the map's duels start at point-blank (the default) or at max-distance",
           choiceValue({"point-blank", "max-distance"})},
          {"show", "WHAT",
           "the map's cells show the outcome (the default): who wins and by how much; the "
           "time A needs to kill B; or the cost: who wins for what the two cost, the times "
           "weighed by gold + lumber + oil",
           choiceValue({"outcome", "time", "cost"})},
          {"size", "N",
           "the map's larger side at most N pixels, up to 4096 (default: cells of 12 pixels)",
           integerValue(1, kLargestMapSide)},
          kQuietOption},
         "tarnwick-tool balance my.pud footman grunt --game ~/war2",
         compare},
    };
}

}  // namespace tarnwick::tool
