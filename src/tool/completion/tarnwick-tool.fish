# fish completion of tarnwick-tool, as "tarnwick-tool completion fish" writes it.

# A command's options (--switch, --option=KIND, or --switch>KIND,... for a switch that brings
# arguments of its own) and its arguments' kinds ("..." repeats): file, dir, unit, none, |a|b.
function __tarnwick_tool_words
    switch $argv[1]
%COMMAND_CASES%
        case '*'
            return 1
    end
end

function __tarnwick_tool_entry --argument-names name
    for entry in $argv[2..-1]
        if test (string replace -r '[=>].*' '' -- $entry) = "$name"
            echo $entry
            return
        end
    end
end

function __tarnwick_tool_values --argument-names kind cur game program prefix
    begin
        switch $kind
            case file
                __fish_complete_path "$cur"
            case dir
                __fish_complete_directories "$cur"
            case unit
                set -l tool (string replace -r '^~' $HOME -- $program)
                test -n "$game"
                and $tool %UNITNAMES% --game (string replace -r '^~' $HOME -- $game) 2>/dev/null
            case '|*'
                string split -n '|' -- $kind
        end
    end | string replace -r '^' -- "$prefix"
end

function __tarnwick_tool_complete
    set -l typed (commandline -opc)
    set -l program $typed[1]
    set -e typed[1]
    # The word as the command will get it: typed quotes and backslashes taken off.
    set -l cur (string unescape -- (commandline -ct))
    if test (count $typed) -eq 0
        printf '%s\n' %COMMANDS% help --help --version
        return
    end
    if test "$typed[1]" = help
        test (count $typed) -eq 1; and printf '%s\n' %COMMANDS%
        return
    end
    set -l words (__tarnwick_tool_words $typed[1]); or return
    set -l optionList (string split -n ' ' -- "$words[1]")
    set -l argumentList (string split -n ' ' -- "$words[2]")
    set -l game ''
    set -l expect ''
    set -l expectKind ''
    set -l ended ''
    set -l position 0
    for word in $typed[2..-1]
        if test -n "$expect"
            test "$expect" = --game; and set game $word
            set expect ''
        else if test -z "$ended" -a "$word" = --
            set ended 1
        else if test -z "$ended"; and string match -q -- '--?*' $word
            set -l entry (__tarnwick_tool_entry (string split -m1 = -- $word)[1] $optionList)
            switch "$entry"
                case '*>*'
                    set argumentList (string split -n ',' -- (string split -m1 '>' -- $entry)[2])
                case '*=*'
                    if string match -q -- '*=?*' $word
                        string match -q -- '--game=*' $word
                        and set game (string split -m1 = -- $word)[2]
                    else
                        set expect (string replace -r '=$' '' -- $word)
                        set expectKind (string split -m1 = -- $entry)[2]
                    end
            end
        else
            set position (math $position + 1)
        end
    end
    if test -n "$expect"
        __tarnwick_tool_values $expectKind "$cur" "$game" $program ''
    else if test -z "$ended"; and string match -q -- '--*=*' $cur
        set -l parts (string split -m1 = -- $cur)
        set -l entry (__tarnwick_tool_entry $parts[1] $optionList)
        string match -q -- '*=*' "$entry"
        and __tarnwick_tool_values (string split -m1 = -- $entry)[2] "$parts[2]" "$game" \
            $program "$parts[1]="
    else if test -z "$ended"; and string match -q -- '-*' $cur
        string replace -r '[=>].*' '' -- $optionList
        echo --help
    else
        set -l kind
        if test $position -lt (count $argumentList)
            set kind $argumentList[(math $position + 1)]
        else if string match -q -- '*...' "$argumentList[-1]"
            set kind $argumentList[-1]
        else
            return
        end
        __tarnwick_tool_values (string replace -r '\.\.\.$' '' -- $kind) "$cur" "$game" $program ''
    end
end

complete -c tarnwick-tool -f -a '(__tarnwick_tool_complete)'
