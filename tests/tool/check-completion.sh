#!/usr/bin/env bash
# Completion in real interactive shells: bash with bash-completion, zsh with compinit and fish
# each load the script that tarnwick-tool writes for them and run in a tmux terminal; a line is
# typed, Tab pressed and the screen read. Where one candidate is expected, the completed line is
# run through printf, so that what the shell would pass shows, quoting and all; where several
# are, the list the shell shows is read. Names with blanks, brackets, quotes and letters beyond
# ASCII, and a game folder with a blank. A shell that is not installed is skipped
# (scripts/setup.sh installs them); with none, or no tmux, the test is skipped.
# Usage: check-completion.sh TOOL DEMO_DATA_PROGRAM
set -u
tool=$(realpath "$1")
demo=$(realpath "$2")
work=$(mktemp -d)
socket=$work/tmux.socket
trap 'tmux -S "$socket" kill-server 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
command -v tmux >/dev/null || { echo "skipped: no tmux"; exit 77; }

mkdir -p "$work/here/names" "$work/scripts/zsh" "$work/home" "$work/empty"
touch "$work/loose.txt"
cd "$work/here" || exit 1
"$demo" gamedir ../game >/dev/null || fail "no game folder made"
cp -r ../game "../my game"
touch map.pud notes.txt names/"my map (1).pud" names/"it's \"quoted\".pud" names/"Kärte für Ü.pud"

# A line as typed and what Tab makes of it: "=WORD" the one candidate, as the command gets it;
# otherwise the candidates the shell lists, sorted, one blank between (none: the line stays).
cases=(
    "tarnwick-tool uni|=units"
    "tarnwick-tool ex|export extract"
    "tarnwick-tool help re|resave restrictions revert"
    "tarnwick-tool export |alo udta ugrd un up"
    "tarnwick-tool units map.pud --format |csv json text"
    "tarnwick-tool units map.pud --format=|csv json text"
    "tarnwick-tool completion |bash fish zsh"
    "tarnwick-tool set --|--break-links --game --help --quiet --wrap"
    "tarnwick-tool set map.pud out.pud 3 hitP|=hitPoints"
    "tarnwick-tool set map.pud out.pud --game ../game Scou|Scout Scout_2 Scout_3 Scout_4 Scout_5"
    "tarnwick-tool set --game=../game map.pud out.pud Human_K|=Human_Keep"
    "tarnwick-tool set map.pud out.pud --game ../my\\ game Orc_K|=Orc_Keep"
    "tarnwick-tool set map.pud out.pud --game \"../my game\" Ga|Galley Galley_2 Galley_3 Galley_4 Galley_5"
    "tarnwick-tool set --game='../my game' map.pud out.pud Human_K|=Human_Keep"
    "tarnwick-tool balance map.pud Sco|"
    "tarnwick-tool resave map.pud |map.pud names notes.txt"
    "tarnwick-tool units names/my|=names/my map (1).pud"
    "tarnwick-tool units names/my\\ |=names/my map (1).pud"
    "tarnwick-tool units \"names/my|=names/my map (1).pud"
    "tarnwick-tool units names/it|=names/it's \"quoted\".pud"
    "tarnwick-tool units names/K|=names/Kärte für Ü.pud"
    "tarnwick-tool sprite map.pud --palette n|names notes.txt"
    "tarnwick-tool apply --in-place changes.csv one.pud map|=map.pud"
    "tarnwick-tool direct-load ../my|=../my game"
    "tarnwick-tool extract map.pud |"
    "tarnwick-tool import -- --q|"
)

# The interactive shells, each with the completion loaded as its users load it.
cat >"$work/bashrc" <<EOF
PS1='READY> '
source /usr/share/bash-completion/bash_completion
source "$work/scripts/completion.bash"
bind 'set bell-style none'
EOF
cat >"$work/home/.zshrc" <<EOF
PS1='READY> '
fpath=("$work/scripts/zsh" \$fpath)
autoload -Uz compinit && compinit -u -D
bindkey -e
unsetopt beep
EOF
startShell() {
    case $1 in
    bash) [ -f /usr/share/bash-completion/bash_completion ] || return 1
        echo "bash --noprofile --rcfile '$work/bashrc' -i" ;;
    zsh) echo "zsh -i" ;;
    fish) echo "fish --no-config -i -C 'function fish_prompt; echo -n \"READY> \"; end
        set -g fish_greeting; set -g fish_autosuggestion_enabled 0
        set fish_complete_path $work/empty; source $work/scripts/completion.fish'" ;;
    esac
}

screen() {
    tmux -S "$socket" capture-pane -p -t test | sed 's/ *$//'
}
# Waits until the screen shows a prompt as its last line that is not empty.
waitForPrompt() {
    for _ in $(seq 100); do
        [[ $(screen | grep -v '^$' | tail -1) == "READY>"* ]] && return 0
        sleep 0.05
    done
    return 1
}
keys() {
    tmux -S "$socket" send-keys -t test "$@"
}
freshScreen() {
    keys C-c
    sleep 0.05
    keys clear Enter
    sleep 0.1
    waitForPrompt
    tmux -S "$socket" clear-history -t test
}

# The words the shell lists under the line, folders without their "/", a value without the
# "--name=" that fish shows with it; of a line "--name  -- what it does", the name.
listed() {
    screen | grep -v '^READY>' | sed 's/ -- .*//' | tr -s ' \t' '\n\n' |
        sed 's|/$||; s|^--[a-z-]*=||' | grep -v '^$' | sort -u |
        tr '\n' ' ' | sed 's/ $//'
}

checkCase() {
    local shell=$1 line=$2 want=$3 got='' tries
    freshScreen
    keys -l "$line"
    keys Tab
    # Bash lists on the Tab after one that found nothing more to insert, zsh on the one after one
    # that inserted.
    if [[ $want != =* ]]; then
        case $shell in
        bash) sleep 0.3; keys Tab; sleep 0.3; keys Tab ;;
        zsh) sleep 0.3; keys Tab ;;
        esac
    fi
    if [[ $want == =* ]]; then
        # The line as completed, run with its words shown one by one.
        sleep 0.3
        keys C-a
        keys -l "printf '{%s}' "
        keys C-e
        keys -l "; echo"
        keys Enter
        for tries in $(seq 60); do
            got=$(screen | grep '^{tarnwick-tool}' | tail -1)
            [ -n "$got" ] && break
            sleep 0.05
        done
        got=${got##*\}\{}
        got=${got%\}}
        got=${got%/}  # zsh takes back the slash after a folder when ";" is typed
        [ "=$got" = "$want" ] || fail "$shell: \"$line\" runs with \"$got\", not \"${want#=}\""
    elif [ -z "$want" ]; then
        # A mark typed after Tab shows once Tab has done what it does.
        keys -l "@"
        for tries in $(seq 60); do
            got=$(screen | grep -v '^$')
            [ "$got" = "READY> $line@" ] && break
            sleep 0.05
        done
        [ "$got" = "READY> $line@" ] || fail "$shell: \"$line\" shows: $got"
    else
        for tries in $(seq 60); do
            got=$(listed)
            [ "$got" = "$want" ] && break
            sleep 0.05
        done
        [ "$got" = "$want" ] || fail "$shell: \"$line\" lists \"$got\", not \"$want\""
    fi
}

PATH=$(dirname "$tool"):$PATH
export PATH
tested=0
for shell in ${SHELLS:-bash zsh fish}; do
    start=$(startShell "$shell") && command -v "$shell" >/dev/null || {
        echo "skipped: no $shell"
        continue
    }
    tested=$((tested + 1))
    "$tool" completion "$shell" >"$work/scripts/completion.$shell" || fail "$shell: no script"
    cp "$work/scripts/completion.zsh" "$work/scripts/zsh/_tarnwick-tool" 2>/dev/null
    tmux -S "$socket" -f /dev/null new-session -d -s test -x 220 -y 50 -c "$work/here" \
        env HOME="$work/home" ZDOTDIR="$work/home" LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=screen \
        PATH="$PATH" sh -c "$start"
    waitForPrompt || { fail "$shell: no prompt: $(screen)"; tmux -S "$socket" kill-server; continue; }
    for case in "${cases[@]}"; do
        checkCase "$shell" "${case%|*}" "${case##*|}"
    done
    tmux -S "$socket" kill-server
done

[ "$tested" -gt 0 ] || exit 77
[ "$failures" -eq 0 ] && echo "completion works in $tested shells"
exit $((failures > 0))
