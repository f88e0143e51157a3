#!/bin/bash
# Both manual pages format without a single groff warning, and the page of kelvane-cli has an
# entry for every command that `kelvane-cli --help` lists, so a new command cannot go
# undocumented.
# Usage: check-man-pages.sh KELVANE_CLI MAN_FOLDER. Exit 77 (skipped) without groff.
set -u
cli=$1
man_folder=$2

if ! command -v groff >/dev/null; then
    echo "groff is not installed (Debian package groff-base)"
    exit 77
fi

status=0
for page in "$man_folder/kelvane.1" "$man_folder/kelvane-cli.1"; do
    warnings=$(groff -man -ww -z "$page" 2>&1)
    if [ -n "$warnings" ]; then
        printf '%s: groff warns:\n%s\n' "$page" "$warnings"
        status=1
    fi
done

commands=$("$cli" --help | sed -n '/^Commands:$/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
if [ -z "$commands" ]; then
    echo "kelvane-cli --help lists no commands"
    exit 1
fi
for command in $commands; do
    # An entry starts its line with the name in bold, its hyphens written as \-.
    entry="\\fB${command//-/\\-}\\fR" awk 'index($0, ENVIRON["entry"]) == 1 { found = 1 }
        END { exit !found }' "$man_folder/kelvane-cli.1" ||
        {
            echo "kelvane-cli.1 has no entry for the command '$command'"
            status=1
        }
done
exit $status
