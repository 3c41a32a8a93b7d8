#!/usr/bin/env bash
# Tab completion of qv530ctl: what a user gets after typing each line.
#   completion_test.sh COMPLETION_FILE
set -uo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && touch fps.bin notes.txt
failed=0

# complete "LINE" EXPECTED...: the sorted completions of LINE (the cursor at its end).
complete_line() {
    local line=$1; shift
    COMP_LINE=$line COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _qv530ctl qv530ctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got want
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    want=$(printf '%s\n' "$@" | sort | xargs)
    if [ "$got" != "$want" ]; then
        echo "FAILED: '$line' completes to '$got', expected '$want'"
        failed=1
    fi
}

complete_line "qv530ctl d" defaults demo-stage dump
complete_line "qv530ctl --v" --version
complete_line "qv530ctl apply --" --config --emulate --pad --fast --trace --unplug-after
complete_line "qv530ctl apply --emulate " a11d a1dc both
complete_line "qv530ctl reset --fast --config f" fps.bin
complete_line "qv530ctl dump " fps.bin notes.txt
complete_line "qv530ctl macros " encode list
complete_line "qv530ctl macros encode x --lead " 05 32
complete_line "qv530ctl get pad" pad-light pad-light-color pad-light-palette
complete_line "qv530ctl set sens" sensitivity-x sensitivity-y
complete_line "qv530ctl set rate " 1000 500 250 125
complete_line "qv530ctl set light " standard breathing neon tapping stream
complete_line "qv530ctl set pad-light " standard breathing neon stream
complete_line "qv530ctl set dpi 1 800 " --variant
complete_line "qv530ctl set dpi 1 800 --variant " a11d a1dc
complete_line "qv530ctl set button 4 d" double-click dpi
complete_line "qv530ctl set button 4 dpi " up down loop
complete_line "qv530ctl set button 4 macro Fire " once until-any while-held
complete_line "qv530ctl pointer " apply
complete_line "qv530ctl profile " list new copy delete rename switch export import bind unbind bindings
complete_line "qv530ctl profile export 2 f" fps.bin
complete_line "qv530ctl show "

[ $failed -eq 0 ] && echo "completion: all lines complete as expected"
exit $failed
