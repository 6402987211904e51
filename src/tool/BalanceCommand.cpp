#include <QString>

#include "core/ShortList.h"
#include "core/archive/Archive.h"
#include "core/game/AnimationSummary.h"
#include "core/game/MatchupTable.h"
#include "core/game/UnitDuel.h"
#include "platform/GameArchives.h"
#include "tool/Commands.h"
#include "tool/DefaultDataWarning.h"
#include "tool/ToolFiles.h"
#include "tool/UnitNames.h"

namespace tarnwick::tool {

namespace {

constexpr std::int64_t kAnimationEntry = 278;

std::vector<std::uint8_t> animationScripts(const Invocation& invocation) {
    if (const auto scripts = invocation.value("scripts")) {
        return readInput(*scripts);
    }
    if (const auto game = invocation.value("game")) {
        const platform::MappedFile archive =
            platform::openGameArchive(QString::fromStdString(*game), "MAINDAT.WAR");
        return archive::ArchiveView(archive.bytes()).extract(kAnimationEntry);
    }
    throw UsageError("balance needs the animation scripts: --game DIR or --scripts FILE");
}

game::AnimationSummary summary(const Invocation& invocation) {
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
    return walked.summary;
}

game::ChosenUnit chosenUnit(const UnitNames& names, const std::string& argumentName,
                            const std::string& argument) {
    const std::size_t row = names.fromArgument(argumentName, argument);
    if (row >= game::kAnimatedUnitCount) {
        throw UsageError(argumentName + ": Unit " + argument + " cannot be compared (0 to 104)");
    }
    return {row, names.shown(row).empty() ? std::to_string(row) : names.shown(row)};
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
    if (matrix) {
        checkOutput(*invocation.value("matrix"),
                    {arguments[0], invocation.value("scripts").value_or(arguments[0])},
                    OutputForm::Text);
    }
    const UnitNames names(invocation.value("game"));
    std::vector<game::ChosenUnit> chosen;  // checked before any file is read
    if (!matrix) {
        chosen = {chosenUnit(names, "A", arguments[1]), chosenUnit(names, "B", arguments[2])};
    }
    const model::Document document = openUnitData(arguments[0]);
    const game::AnimationSummary scripts = summary(invocation);
    warnOfIgnoredUnitData(invocation, document, arguments[0]);
    if (matrix) {
        std::vector<std::string> shown;
        for (std::size_t row = 0; row < game::kAnimatedUnitCount; ++row) {
            shown.push_back(names.shown(row));
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
         "all as CSV instead, times in seconds.",
         {{"FILE", "a scenario or unit data file"},
          {"A", "a unit 0 to 104: its id, or its name as units prints it", unitValue(), true},
          {"B", "the other unit, the same way", unitValue(), true}},
         {{"game", "DIR",
           "the game directory: the animation scripts (entry 278 of MAINDAT.WAR) and the "
           "names of the units",
           directoryValue()},
          {"scripts", "FILE", "the animation scripts as extracted, instead of the game's"},
          {"ticks", "", "times in ticks (36 a second) instead of seconds"},
          {"matrix", "OUT", "write the whole matchup table as CSV to OUT"},
          kQuietOption},
         "tarnwick-tool balance my.pud footman grunt --game ~/war2",
         compare},
    };
}

}  // namespace tarnwick::tool
