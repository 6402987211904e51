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

_tarnwick_tool_values() {
    emulate -L zsh
    local kind=$1 game=$2 program=$3
    case $kind in
    file) _files ;;
    dir) _files -/ ;;
    unit)
        [[ -n $game ]] && compadd -- \
            ${(f)"$(${program/#\~/$HOME} %UNITNAMES% --game ${game/#\~/$HOME} 2>/dev/null)"} ;;
    \|*) compadd -- ${(s:|:)kind} ;;
    esac
}

_tarnwick-tool() {
    emulate -L zsh
    local optionList= argumentList= game= expect= expectKind= ended= entry word
    local -i position=0
    local -a typed kinds
    typed=("${(@)words[2,CURRENT-1]}")
    local cur=${words[CURRENT]}
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
            [[ $expect == --game ]] && game=$word
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
                    [[ ${word%%=*} == --game ]] && game=${word#*=}
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
        _tarnwick_tool_values $expectKind "$game" ${words[1]}
    elif [[ -z $ended && $cur == --*=* ]]; then
        for entry in ${=optionList} ''; do
            [[ ${entry%%[=>]*} == ${cur%%=*} ]] && break
        done
        if [[ $entry == *=* ]]; then
            compset -P '*='
            _tarnwick_tool_values ${entry#*=} "$game" ${words[1]}
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
        _tarnwick_tool_values ${word%...} "$game" ${words[1]}
    fi
}

# Loaded from fpath the file is the completion itself; sourced, it registers it.
if [[ $funcstack[1] == _tarnwick-tool ]]; then
    _tarnwick-tool "$@"
else
    compdef _tarnwick-tool tarnwick-tool
fi
