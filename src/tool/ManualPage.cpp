#include "tool/ManualPage.h"

#include <algorithm>
#include <cctype>

#include "TarnwickProject.h"
#include "tool/CommandHelp.h"

namespace tarnwick::tool {

namespace {

// `text` as roff running text: a backslash, a minus (an ASCII one, so that commands copied
// from the page work), a tilde and a caret print as typed, and no line starts a request.
std::string roff(const std::string& text) {
    std::string out = text.starts_with('.') || text.starts_with('\'') ? "\\&" : "";
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\e";
                break;
            case '-':
                out += "\\-";
                break;
            case '~':
                out += "\\(ti";
                break;
            case '^':
                out += "\\(ha";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string bold(const std::string& text) {
    return "\\fB" + roff(text) + "\\fR";
}

std::string italic(const std::string& text) {
    return "\\fI" + roff(text) + "\\fR";
}

// A word of a synopsis part: options and literal values bold, placeholders (IN, DIR) italic,
// brackets, bars and the dots of a repeated argument plain.
std::string synopsisWord(const std::string& word) {
    const std::size_t first = word.find_first_not_of("([");
    const std::size_t last = word.find_last_not_of(")]");
    if (first == std::string::npos || word == "|") {
        return roff(word);
    }
    std::string core = word.substr(first, last - first + 1);
    std::string dots;
    if (core.ends_with("...")) {
        dots = "...";
        core.resize(core.size() - 3);
    }
    const bool placeholder =
        std::none_of(core.begin(), core.end(), [](char c) { return std::islower(c) != 0; });
    return roff(word.substr(0, first)) + (placeholder ? italic(core) : bold(core)) + dots +
           roff(word.substr(last + 1));
}

// A part of a synopsis, kept on one line by unbreakable blanks.
std::string synopsisPart(const std::string& part) {
    std::string out;
    std::size_t start = 0;
    while (start <= part.size()) {
        const std::size_t blank = std::min(part.find(' ', start), part.size());
        out += (start == 0 ? "" : "\\ ") + synopsisWord(part.substr(start, blank - start));
        start = blank + 1;
    }
    return out;
}

std::string termItem(const std::string& term, const std::string& description) {
    return ".TP\n" + term + '\n' + roff(description) + '\n';
}

// The terms in bold, each with what it means.
std::string termList(const std::vector<HelpTerm>& terms) {
    std::string text;
    for (const HelpTerm& term : terms) {
        text += termItem(bold(term.term), term.description);
    }
    return text;
}

std::string optionTerm(const Option& option) {
    return bold("--" + option.name) +
           (option.valueName.empty() ? "" : " " + italic(option.valueName));
}

std::string commandSection(const Command& command) {
    const std::vector<std::string> parts = synopsisParts(command);
    std::string text = ".SS " + roff(command.name) + "\n.SY tarnwick\\-tool\n" + bold(command.name);
    for (auto part = parts.begin() + 2; part != parts.end(); ++part) {
        text += '\n' + synopsisPart(*part);
    }
    text += "\n.YS\n.PP\n" + roff(command.summary) + '\n';
    for (const Argument* argument : argumentsOf(command)) {
        text += termItem(italic(argument->name), argument->description);
    }
    for (const Option& option : command.options) {
        text += termItem(optionTerm(option), option.description);
    }
    return text + ".PP\nExample:\n.RS\n.EX\n" + roff(command.example) + "\n.EE\n.RE\n";
}

}  // namespace

std::string manualPage(const std::vector<Command>& commands, const std::string& date) {
    std::string page =
        ".\\\" Printed by tarnwick-tool from its command table: change the table, not the page.\n"
        ".TH TARNWICK-TOOL 1 \"" +
        date + "\" \"tarnwick-tool " + kVersion +
        "\" \"User Commands\"\n"
        ".SH NAME\n"
        "tarnwick\\-tool \\- command\\-line companion of the Tarnwick editor\n"
        ".SH SYNOPSIS\n"
        ".SY tarnwick\\-tool\n\\fICOMMAND\\fR [\\fIARGUMENTS AND OPTIONS\\fR]\n.YS\n"
        ".SY tarnwick\\-tool\n\\fBhelp\\fR [\\fICOMMAND\\fR]\n.YS\n"
        ".SY tarnwick\\-tool\n\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR\n.YS\n"
        ".SH DESCRIPTION\n" +
        roff(kToolPurpose) + "\n.PP\n" + roff(kOptionRules) +
        "\n.PP\n"
        "Results go to standard output and messages to standard error. A file argument of "
        "\\fB\\-\\fR reads standard input, an OUT of \\fB\\-\\fR writes standard output.\n"
        ".SH OPTIONS\n" +
        termList(toolOptions());
    page += ".SH COMMANDS\n";
    for (const Command& command : commands) {
        if (!command.hidden) {
            page += commandSection(command);
        }
    }
    page += ".SH \"EXIT STATUS\"\n";
    page += termList(exitStatuses());
    for (const Command& command : commands) {
        if (command.failureStatus != 1) {
            page += ".PP\n" + bold("tarnwick-tool " + command.name) + " fails with " +
                    std::to_string(command.failureStatus) + " instead: see its section.\n";
        }
    }
    page +=
        ".SH ENVIRONMENT\n"
        "tarnwick\\-tool reads no variable of its own and needs no display. "
        "\\fBXDG_CONFIG_HOME\\fR, \\fBTARNWICK_PLUGIN_BLOCK\\fR and \\fBQT_QPA_PLATFORM\\fR "
        "matter to the editor only; see \\fBtarnwick\\fR(1).\n"
        ".SH FILES\n"
        ".TP\n\\fIDIR\\fR/DATA/STRDAT.WAR, \\fIDIR\\fR/DATA/MAINDAT.WAR\n"
        "The game's archives in the game directory given with \\fB\\-\\-game\\fR \\fIDIR\\fR "
        "(or \\fIGAMEDIR\\fR), found in any letter case: the names of units 0 to 104, the "
        "game's own tables, its animation scripts and the slots of direct\\-load and "
        "direct\\-save.\n"
        ".TP\n\\fI$XDG_CONFIG_HOME/Tarnwick/Tarnwick.conf\\fR\n"
        "The editor's settings (\\fI\\(ti/.config/Tarnwick/Tarnwick.conf\\fR when "
        "\\fBXDG_CONFIG_HOME\\fR is not set), in the native format of Qt's settings under the "
        "organisation \"Tarnwick\". tarnwick\\-tool does not read them: it is given the game "
        "directory with \\fB\\-\\-game\\fR each time.\n"
        ".SH EXAMPLES\n";
    page += termList(toolExamples());
    return page +
           ".SH \"SEE ALSO\"\n"
           ".BR tarnwick (1),\n"
           ".BR diff (1)\n";
}

}  // namespace tarnwick::tool
