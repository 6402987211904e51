# bash completion of tarnwick-tool, as "tarnwick-tool completion bash" writes it. It needs
# bash-completion, whose helpers read the line as typed and quote file names.

# A command's options (--switch, --option=KIND, or --switch>KIND,... for a switch that brings
# arguments of its own) and its arguments' kinds ("..." repeats): file, dir, unit, none, |a|b.
_tarnwick_tool_words() {
    case $1 in
%COMMAND_CASES%
    *) return 1 ;;
    esac
}

# The candidates of one kind for $cur, which the caller holds as bash-completion left it.
_tarnwick_tool_values() {
    local kind=$1 game=$2 program=$3 name typed
    case $kind in
    file) _filedir ;;
    dir) _filedir -d ;;
    unit)
        [[ -n $game ]] || return
        typed=$(dequote "$cur")
        while IFS= read -r name; do
            [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
        done < <("$program" %UNITNAMES% --game "$game" 2>/dev/null) ;;
    \|*) COMPREPLY=($(compgen -W "${kind//|/ }" -- "$cur")) ;;
    esac
}

_tarnwick_tool() {
    local cur prev words cword split
    _init_completion -s || return
    local optionList= argumentList= game= expect= expectKind= ended= entry word i
    local -i position=0
    # The program as typed, so that one run from its build folder answers for unit names.
    local program
    program=$(dequote "${words[0]}")
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "%COMMANDS% help --help --version" -- "$cur"))
        return
    fi
    if [[ ${words[1]} == help ]]; then
        ((cword == 2)) && COMPREPLY=($(compgen -W "%COMMANDS%" -- "$cur"))
        return
    fi
    _tarnwick_tool_words "${words[1]}" || return
    for ((i = 2; i < cword; i++)); do
        word=${words[i]}
        if [[ -n $expect ]]; then
            [[ $expect == --game ]] && game=$(dequote "$word")
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
                if [[ $word == *=* ]]; then
                    [[ ${word%%=*} == --game ]] && game=$(dequote "${word#*=}")
                else
                    expect=$word
                    expectKind=${entry#*=}
                fi ;;
            esac
        else
            position+=1
        fi
    done
    # "--name=value" as the word being completed: bash-completion has put --name in $prev.
    if [[ $split == true && -z $ended ]]; then
        for entry in $optionList ''; do
            [[ ${entry%%[=>]*} == "$prev" ]] && break
        done
        [[ $entry == *=* ]] && _tarnwick_tool_values "${entry#*=}" "$game" "$program"
    elif [[ -n $expect ]]; then
        _tarnwick_tool_values "$expectKind" "$game" "$program"
    elif [[ -z $ended && $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(for entry in $optionList; do
            printf '%s ' "${entry%%[=>]*}"
        done) --help" -- "$cur"))
    else
        local -a kinds=($argumentList)
        if ((position < ${#kinds[@]})); then
            word=${kinds[position]}
        elif ((${#kinds[@]})) && [[ ${kinds[-1]} == *... ]]; then
            word=${kinds[-1]}
        else
            return
        fi
        _tarnwick_tool_values "${word%...}" "$game" "$program"
    fi
}

complete -F _tarnwick_tool tarnwick-tool
