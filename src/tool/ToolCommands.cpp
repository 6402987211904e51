#include "tool/ToolCommands.h"

#include <functional>
#include <map>

#include <QString>

#include "core/Error.h"
#include "core/files/Scenario.h"
#include "core/files/SectionChain.h"
#include "platform/FileStore.h"

namespace tarnwick::tool {

namespace {

using Arguments = std::vector<std::string>;

std::vector<std::uint8_t> readInput(const std::string& path) {
    return platform::readWholeFile(QString::fromStdString(path));
}

int listSections(const Arguments& args, std::ostream& out) {
    const auto file = readInput(args[0]);
    files::SectionChainReader chain(file);
    while (const auto header = chain.nextHeader()) {
        chain.takeBody();
        out << header->tag << ' ' << header->length << '\n';
    }
    return 0;
}

int resave(const Arguments& args, std::ostream&) {
    const auto file = readInput(args[0]);
    if (!files::looksLikeScenario(file)) {
        throw Error("Unknown or unsupported filetype!");
    }
    model::Document document;
    files::ReadScenario(document, file);
    platform::saveWholeFile(QString::fromStdString(args[1]), files::WriteScenario(document));
    return 0;
}

struct Command {
    std::size_t argumentCount;
    const char* usage;
    std::function<int(const Arguments&, std::ostream&)> run;
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"sections", {1, "sections FILE", listSections}},
        {"resave", {2, "resave IN OUT", resave}},
    };
    return table;
}

void printUsage(std::ostream& err) {
    err << "usage: tarnwick-tool COMMAND ...\ncommands:\n";
    for (const auto& [name, command] : commands()) {
        err << "  tarnwick-tool " << command.usage << '\n';
    }
}

}  // namespace

int runTool(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        printUsage(err);
        return 2;
    }
    const auto found = commands().find(arguments[0]);
    const Arguments rest(arguments.begin() + 1, arguments.end());
    if (found == commands().end() || rest.size() != found->second.argumentCount) {
        printUsage(err);
        return 2;
    }
    try {
        return found->second.run(rest, out);
    } catch (const std::exception& error) {
        out.flush();
        err << "tarnwick-tool " << arguments[0] << ": " << error.what() << '\n';
        return 1;
    }
}

}  // namespace tarnwick::tool
