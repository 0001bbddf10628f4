#!/usr/bin/env bash
# Modify after a look-up in the real program: the one entry a result shows keeps its own term and takes the
# edited text under its heading, without the additional dictionary's part; a result of several entries changes
# nothing and says so. Checked in the saved file.
# Usage: modify-after-search.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

dict="$work/words.lxd"
for entry in "water Wasser" "house Haus" "horse Pferd"; do
    "$CLI" add "$dict" $entry >/dev/null || fail "cannot create the dictionary"
done
"$CLI" add "$work/extra.lxd" cat chat >/dev/null || fail "cannot create the additional dictionary"
"$CLI" convert "$dict" "$work/before.csv" >/dev/null || fail "cannot convert the dictionary"

cat >"$work/modify.script" <<SCRIPT
search water
wait-pane <<extra.lxd>>
edit-pane Wasser => Wasser, das
trigger ID_MEN_MODIFY
search ho*
trigger ID_MEN_MODIFY
trigger ID_MEN_ADD
trigger ID_MEN_SAVE
quit
SCRIPT
write_settings modify "  <AddDictionary>$work/extra.lxd</AddDictionary>"
run_lexaro modify "$work/modify.script" 20 "$dict"
[[ $(grep -c '^prompt The pane shows a search result' "$log") == 2 ]] ||
    fail "Modify and Add after a result of several entries must both say that one entry must be shown first"

"$CLI" convert "$dict" "$work/after.csv" >/dev/null || fail "cannot convert the saved dictionary"
sed 's/^water;Wasser;/water;Wasser, das;/' "$work/before.csv" >"$work/expected.csv"
cmp -s "$work/expected.csv" "$work/after.csv" ||
    fail "the saved entries differ: $(diff "$work/expected.csv" "$work/after.csv")"
echo "PASS"
