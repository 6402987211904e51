#!/usr/bin/env bash
# Each shell loads the completion script that tarnwick-tool writes for it and completes lines as
# a user types them: commands, options, fixed values, files, folders, and unit names from a game
# folder the project makes. A shell that is not installed is skipped (scripts/setup.sh installs
# them); with none, the test is skipped.
# Usage: check-completion.sh TOOL DEMO_DATA_PROGRAM
set -u
tool=$(realpath "$1")
demo=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The scripts run the tool by the name typed, so it is found on PATH as once installed.
PATH=$(cd "$(dirname "$tool")" && pwd):$PATH
export PATH
mkdir "$work/here" "$work/scripts"
touch "$work/loose.txt"
cd "$work/here" || exit 1
"$demo" gamedir ../game >/dev/null || fail "no game folder made"
touch map.pud notes.txt

# A line as typed, and the candidates sorted, one blank between.
cases=(
    "tarnwick-tool ex|export extract"
    "tarnwick-tool uni|units"
    "tarnwick-tool help re|resave restrictions revert"
    "tarnwick-tool export |alo udta ugrd un up"
    "tarnwick-tool units map.pud --format |csv json text"
    "tarnwick-tool units map.pud --format=|csv json text"
    "tarnwick-tool defaults map.pud out.pud --upgrades o|off on"
    "tarnwick-tool completion |bash fish zsh"
    "tarnwick-tool set --|--game --help --quiet --wrap"
    "tarnwick-tool set map.pud out.pud 3 hitP|hitPoints"
    "tarnwick-tool set map.pud out.pud --game ../game Sco|Scout Scout_2 Scout_3 Scout_4 Scout_5"
    "tarnwick-tool set --game=../game map.pud out.pud Sco|Scout Scout_2 Scout_3 Scout_4 Scout_5"
    "tarnwick-tool balance map.pud Sco|"
    "tarnwick-tool resave map.pud |map.pud notes.txt"
    "tarnwick-tool apply --in-place changes.csv one.pud n|notes.txt"
    "tarnwick-tool sprite map.pud --palette n|notes.txt"
    "tarnwick-tool direct-load ../|../game ../here ../scripts"
    "tarnwick-tool extract map.pud |"
    "tarnwick-tool import -- --q|"
)

# Bash splits --name=value at "=", as COMP_WORDS holds it.
bash_complete() {
    bash --norc --noprofile -c '
        source "$1" || exit 1
        [[ $(complete -p tarnwick-tool) == "complete -F _tarnwick_tool tarnwick-tool" ]] || exit 1
        read -ra COMP_WORDS <<<"${2//=/ = }"
        [[ $2 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        _tarnwick_tool
        printf "%s\n" "${COMPREPLY[@]}"' bash "$1" "$2"
}

# compadd and _files only gather what they are given, as compsys would offer it.
zsh_complete() {
    mkdir -p "$work/scripts/zsh" && cp "$1" "$work/scripts/zsh/_tarnwick-tool"
    zsh -f -c '
        fpath=("$1" $fpath)
        autoload -Uz compinit && compinit -u -D
        [[ $_comps[tarnwick-tool] == _tarnwick-tool ]] || exit 1
        typeset -a found
        compadd() { found+=("${@[${@[(i)--]}+1,-1]}") }
        _files() { found+=(${PREFIX}*(N${1:+/})) }
        compset() { PREFIX=${PREFIX#*=} }
        words=(${=2})
        [[ $2 == *" " ]] && words+=("")
        CURRENT=${#words}
        PREFIX=${words[CURRENT]}
        _tarnwick-tool
        print -rl -- ${(M)found:#${PREFIX}*}' zsh "$work/scripts/zsh" "$2"
}

# Fish offers a value after "--name=" as the whole word, option and value.
fish_complete() {
    fish --no-config -c 'source $argv[1]; complete -C"$argv[2]"' "$1" "$2" | cut -f1 |
        sed 's|/$||; s|^--[a-z-]*=||'
}

tested=0
for shell in bash zsh fish; do
    if ! command -v "$shell" >/dev/null; then
        echo "skipped: no $shell"
        continue
    fi
    tested=$((tested + 1))
    script=$work/scripts/completion.$shell
    "$tool" completion "$shell" >"$script" || fail "$shell: no script"
    for case in "${cases[@]}"; do
        line=${case%|*}
        want=${case##*|}
        got=$("${shell}_complete" "$script" "$line" | sort | tr '\n' ' ')
        got=${got% }
        [ "$got" = "$want" ] || fail "$shell: \"$line\" gives \"$got\", not \"$want\""
    done
done

[ "$tested" -gt 0 ] || exit 77
[ "$failures" -eq 0 ] && echo "completion works in $tested shells"
exit $((failures > 0))
