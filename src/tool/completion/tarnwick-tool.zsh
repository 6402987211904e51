#compdef tarnwick-tool
# zsh completion of tarnwick-tool, as "tarnwick-tool completion zsh" writes it.

# A command's options (--switch, --option=KIND, or --switch>KIND,... for a switch that brings
# arguments of its own) and its arguments' kinds ("..." repeats): file, dir, unit, none, |a|b.
_tarnwick_tool_words() {
    case $1 in
%COMMAND_CASES%
    *) return 1 ;;
    esac
}

# Run with the options compsys set: its _files needs them (no emulate here).
_tarnwick_tool_values() {
    local kind=$1 game=$2 program=$3
    case $kind in
    file) _files ;;
    dir) _files -/ ;;
    unit)
        [[ -n $game ]] && compadd -- \
            ${(f)"$("$program" %UNITNAMES% --game "$game" 2>/dev/null)"} ;;
    \|*) compadd -- ${(s:|:)kind} ;;
    esac
}

# A word of the line as the shell will pass it: quotes taken off, a leading ~ made the home.
_tarnwick_tool_plain() {
    REPLY=${(Q)1}
    REPLY=${REPLY/#\~/$HOME}
}

_tarnwick-tool() {
    local optionList= argumentList= game= expect= expectKind= ended= entry word
    local -i position=0
    local -a typed kinds
    typed=("${(@)words[2,CURRENT-1]}")
    local cur=${words[CURRENT]} program REPLY
    _tarnwick_tool_plain "${words[1]}"
    program=$REPLY
    if ((${#typed} == 0)); then
        compadd -- %COMMANDS% help --help --version
        return
    fi
    if [[ ${typed[1]} == help ]]; then
        ((${#typed} == 1)) && compadd -- %COMMANDS%
        return
    fi
    _tarnwick_tool_words ${typed[1]} || return
    for word in "${(@)typed[2,-1]}"; do
        if [[ -n $expect ]]; then
            [[ $expect == --game ]] && _tarnwick_tool_plain "$word" && game=$REPLY
            expect=
        elif [[ -z $ended && $word == -- ]]; then
            ended=1
        elif [[ -z $ended && $word == --?* ]]; then
            for entry in ${=optionList} ''; do
                [[ ${entry%%[=>]*} == ${word%%=*} ]] && break
            done
            case $entry in
            *'>'*)
                argumentList=${${entry#*>}//,/ } ;;
            *=*)
                if [[ $word == *=?* ]]; then
                    [[ ${word%%=*} == --game ]] && _tarnwick_tool_plain "${word#*=}" && game=$REPLY
                else
                    expect=${word%=}
                    expectKind=${entry#*=}
                fi ;;
            esac
        else
            position+=1
        fi
    done
    if [[ -n $expect ]]; then
        _tarnwick_tool_values $expectKind "$game" "$program"
    elif [[ -z $ended && $cur == --*=* ]]; then
        for entry in ${=optionList} ''; do
            [[ ${entry%%[=>]*} == ${cur%%=*} ]] && break
        done
        if [[ $entry == *=* ]]; then
            compset -P '*='
            _tarnwick_tool_values ${entry#*=} "$game" "$program"
        fi
    elif [[ -z $ended && $cur == -* ]]; then
        compadd -- ${${=optionList}%%[=>]*} --help
    else
        kinds=(${=argumentList})
        if ((position < ${#kinds})); then
            word=${kinds[position + 1]}
        elif ((${#kinds})) && [[ ${kinds[-1]} == *... ]]; then
            word=${kinds[-1]}
        else
            return
        fi
        _tarnwick_tool_values ${word%...} "$game" "$program"
    fi
}

# Loaded from fpath the file is the completion itself; sourced, it registers it.
if [[ $funcstack[1] == _tarnwick-tool ]]; then
    _tarnwick-tool "$@"
else
    compdef _tarnwick-tool tarnwick-tool
fi
