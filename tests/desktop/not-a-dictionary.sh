#!/usr/bin/env bash
# Files that are no dictionaries, opened in the real program: a picture renamed ".lxd" and a text file named
# ".csv" are refused with a message; the open dictionary stays (title, entries), neither file gets bound to it
# or into the recent list, and both files stay as they were.
# Usage: not-a-dictionary.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

words="$work/words.lxd"
"$CLI" add "$words" house "Haus" >/dev/null || fail "cannot create the dictionary"
"$CLI" add "$words" tree "Baum" >/dev/null || fail "cannot add to the dictionary"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10' >"$work/picture.lxd"
printf 'Shopping\nmilk, bread\n' >"$work/notes.csv"
cp "$work/picture.lxd" "$work/picture.orig"
cp "$work/notes.csv" "$work/notes.orig"

cat >"$work/open.script" <<SCRIPT
report-dictionary
open $work/picture.lxd
report-dictionary
open $work/notes.csv
report-dictionary
trigger ID_MEN_SAVE
quit
SCRIPT
run_lexaro open "$work/open.script" 20 "$words"

state="dictionary title=Lexaro - words.lxd : 2 [1] path=$words entries=2 modified=0"
[[ $(grep -c '^dictionary' "$log") == 3 ]] || fail "expected three reports"
[[ $(grep '^dictionary' "$log" | sort -u) == "$state" ]] || fail "the open dictionary changed"
for file in picture.lxd notes.csv; do
    grep -qF "prompt The file $work/$file holds no dictionary." "$log" || fail "no message refusing $file"
done
[[ $(grep -c '^prompt' "$log") == 2 ]] || fail "only the two refusals may be asked"
cmp -s "$work/picture.lxd" "$work/picture.orig" || fail "the picture was changed"
cmp -s "$work/notes.csv" "$work/notes.orig" || fail "the text file was changed"
"$CLI" lookup "$words" tree --no-substring >/dev/null || fail "Save lost the dictionary's entries"
settings="$work/open/config/Corvane/Lexaro/Lexaro.ini"
[[ -f "$settings" ]] || fail "the program wrote no settings"
grep -qF -e picture.lxd -e notes.csv "$settings" && fail "a refused file went into the recent list"
echo "PASS"
