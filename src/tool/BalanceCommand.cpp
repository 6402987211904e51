#include <QString>

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
        const std::string report = game::walkFailureReport(walked.failures);
        for (std::size_t start = 0; start < report.size();) {
            const std::size_t end = std::min(report.find('\n', start), report.size());
            invocation.warn(report.substr(start, end - start));
            start = end + 1;
        }
    }
    return walked.summary;
}

game::ChosenUnit chosenUnit(const UnitNames& names, const std::string& argument) {
    const std::int64_t id = names.find(argument);
    if (id < 0 || id >= static_cast<std::int64_t>(game::kAnimatedUnitCount)) {
        throw Error("Unit " + argument + " cannot be compared (0 to 104)");
    }
    const auto row = static_cast<std::size_t>(id);
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
        refuseOutputOverInput(*invocation.value("matrix"),
                              {arguments[0], invocation.value("scripts").value_or(arguments[0])});
    }
    const UnitNames names(invocation.value("game"));
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
         game::compareUnits(document.unitData, scripts, chosenUnit(names, arguments[1]),
                            chosenUnit(names, arguments[2]), unit)) {
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
          {"A", "a unit 0 to 104: its id, or its name as units prints it", true},
          {"B", "the other unit, the same way", true}},
         {{"game", "DIR",
           "the game directory: the animation scripts (entry 278 of MAINDAT.WAR) and the "
           "names of the units"},
          {"scripts", "FILE", "the animation scripts as extracted, instead of the game's"},
          {"ticks", "", "times in ticks (36 a second) instead of seconds"},
          {"matrix", "OUT", "write the whole matchup table as CSV to OUT"},
          kQuietOption},
         "tarnwick-tool balance my.pud footman grunt --game ~/war2",
         compare},
    };
}

}  // namespace tarnwick::tool
