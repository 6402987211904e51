# bash completion of tarnwick-tool, as "tarnwick-tool completion bash" writes it.

# A command's options (--switch, --option=KIND, or --switch>KIND,... for a switch that brings
# arguments of its own) and its arguments' kinds ("..." repeats): file, dir, unit, none, |a|b.
_tarnwick_tool_words() {
    case $1 in
%COMMAND_CASES%
    *) return 1 ;;
    esac
}

_tarnwick_tool_values() {
    local kind=$1 cur=$2 game=$3 program=$4
    case $kind in
    file) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- "$cur")) ;;
    dir) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -d -- "$cur")) ;;
    unit)
        [[ -n $game ]] && COMPREPLY=($(compgen -W \
            "$("${program/#\~/$HOME}" %UNITNAMES% --game "${game/#\~/$HOME}" 2>/dev/null)" -- "$cur")) ;;
    \|*) COMPREPLY=($(compgen -W "${kind//|/ }" -- "$cur")) ;;
    esac
}

_tarnwick_tool() {
    local cur=${COMP_WORDS[COMP_CWORD]} optionList= argumentList= game= expect= expectKind=
    local ended= entry word i
    local -i position=0
    local -a typed=() kinds=()
    COMPREPLY=()
    # The words as typed: bash splits --name=value at the "=".
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((${#typed[@]})) && [[ ${typed[-1]} == --* && ($word == = || ${typed[-1]} == *=) ]]; then
            typed[-1]+=$word
        else
            typed+=("$word")
        fi
    done
    # Right after "--name=" the value starts empty.
    if [[ $cur == = ]]; then
        ((${#typed[@]})) && [[ ${typed[-1]} == --* ]] || return
        typed[-1]+="="
        cur=
    fi
    if ((${#typed[@]} == 0)); then
        COMPREPLY=($(compgen -W "%COMMANDS% help --help --version" -- "$cur"))
        return
    fi
    if [[ ${typed[0]} == help ]]; then
        ((${#typed[@]} == 1)) && COMPREPLY=($(compgen -W "%COMMANDS%" -- "$cur"))
        return
    fi
    _tarnwick_tool_words "${typed[0]}" || return
    for word in "${typed[@]:1}"; do
        if [[ -n $expect ]]; then
            [[ $expect == --game ]] && game=$word
            expect=
        elif [[ -z $ended && $word == -- ]]; then
            ended=1
        elif [[ -z $ended && $word == --?* ]]; then
            for entry in $optionList ''; do
                [[ ${entry%%[=>]*} == "${word%%=*}" ]] && break
            done
            case $entry in
            *'>'*)
                argumentList=${entry#*>}
                argumentList=${argumentList//,/ } ;;
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
        _tarnwick_tool_values "$expectKind" "$cur" "$game" "${COMP_WORDS[0]}"
    elif [[ -z $ended && $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(for entry in $optionList; do
            printf '%s ' "${entry%%[=>]*}"
        done) --help" -- "$cur"))
    else
        kinds=($argumentList)
        if ((position < ${#kinds[@]})); then
            word=${kinds[position]}
        elif ((${#kinds[@]})) && [[ ${kinds[-1]} == *... ]]; then
            word=${kinds[-1]}
        else
            return
        fi
        _tarnwick_tool_values "${word%...}" "$cur" "$game" "${COMP_WORDS[0]}"
    fi
}

complete -F _tarnwick_tool tarnwick-tool
