#!/bin/sh
# The command-line tools speak English on an English desktop and Hungarian in the C locale:
# their help, a refused command line and a failure.
# Usage: command-language.sh <zolvera-wallpaper> <zolvera-catalogue>
set -u
wallpaper=$1
catalogue=$2
status=0
english() { env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=en_US.UTF-8 "$@" 2>&1; }
hungarian() { env -u LANGUAGE LC_ALL=C "$@" 2>&1; }
# expect <what> <extended regular expression> <output>: the output holds a line matching it.
expect() {
    printf '%s\n' "$3" | grep -Eqx -- "$2" && return
    printf '%s: no line matches %s in:\n%s\n' "$1" "$2" "$3" >&2
    status=1
}
expect "English help" 'Usage:' "$(english "$wallpaper" --help)"
expect "English help" '  zolvera-wallpaper set PICTURE +PICTURE \(a JPEG file\) becomes the wallpaper' \
    "$(english "$wallpaper" --help)"
expect "English refusal" 'zolvera-wallpaper: invalid command line\. Help: zolvera-wallpaper --help' \
    "$(english "$wallpaper" frobnicate)"
expect "English usage" 'Usage: .*zolvera-catalogue <folder> <base URL> \[catalogue file\]' \
    "$(english "$catalogue" --help)"
expect "English failure" 'The folder "/nonexistent/packages" cannot be read: .*' \
    "$(english "$catalogue" /nonexistent/packages http://example.org)"
expect "Hungarian help" 'Használat:' "$(hungarian "$wallpaper" --help)"
expect "Hungarian refusal" 'zolvera-wallpaper: hibás parancssor\. Súgó: zolvera-wallpaper --help' \
    "$(hungarian "$wallpaper" frobnicate)"
expect "Hungarian failure" 'A\(z\) "/nonexistent/packages" mappa nem olvasható: .*' \
    "$(hungarian "$catalogue" /nonexistent/packages http://example.org)"
exit $status
