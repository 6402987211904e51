#compdef tarnwick-tool
# zsh completion of tarnwick-tool, as "tarnwick-tool completion zsh" writes it: each command's
# options and arguments as specs for _arguments, files through _files.

# A word of the line as the command will get it: quotes taken off, a leading ~ made the home.
_tarnwick_tool_plain() {
    REPLY=${(Q)1}
    REPLY=${REPLY/#\~/$HOME}
}

# Unit names, from the game folder of --game; the program as typed answers, so that one run
# from its build folder does too.
_tarnwick_tool_units() {
    [[ -n ${opt_args[--game]} ]] || return 1
    local game=${opt_args[--game]} names
    # _arguments keeps a value with its backslashes and colons escaped once more.
    game=${game//\\\\/\\}
    game=${game//\\:/:}
    _tarnwick_tool_plain "$game"
    game=$REPLY
    names=(${(f)"$("$_tarnwick_tool_program" %UNITNAMES% --game "$game" 2>/dev/null)"})
    compadd -a names
}

_tarnwick-tool() {
    local curcontext=$curcontext state state_descr line ret=1 REPLY
    local -A opt_args
    _tarnwick_tool_plain "${words[1]}"
    local _tarnwick_tool_program=$REPLY
    _arguments -C : '(- *)--help[show the help]' '(- *)--version[show the version]' \
        '1:command:->command' '*::argument:->argument' && ret=0
    case $state in
    command) compadd -- %COMMANDS% help && ret=0 ;;
    argument)
        curcontext=${curcontext%:*:*}:tarnwick-tool-${words[1]}:
        case ${words[1]} in
        help) _arguments ':command:(%COMMANDS%)' && ret=0 ;;
%COMMAND_CASES%
        esac ;;
    esac
    return ret
}

# Loaded from fpath the file is the completion itself; sourced, it registers it.
if [[ $funcstack[1] == _tarnwick-tool ]]; then
    _tarnwick-tool "$@"
else
    compdef _tarnwick-tool tarnwick-tool
fi
