#!/usr/bin/env bash
# Edit mass data in the real program: the sample dictionary holds explanations with the separator. The editor
# says so when it opens; OK without a change and Save leave every explanation and every date as it was.
# Usage: massdata.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

cp "$(dirname "$0")/../../resources/samples/sample-en-de.lxd" "$work/sample.lxd" || fail "no sample dictionary"
"$CLI" convert "$work/sample.lxd" "$work/before.csv" --separator '|' >/dev/null || fail "cannot read the sample"

cat >"$work/edit.script" <<SCRIPT
answer Ok
trigger-later ID_MEN_MASSEDIT
press m_BTNOk
search home
wait-pane Heim; see also
trigger ID_MEN_SAVE
quit
SCRIPT
run_lexaro edit "$work/edit.script" 30 "$work/sample.lxd"
grep -qF "prompt The text cannot show every entry as it is: in 3 of them a field holds the separator ';'" "$log" ||
    fail "opening the editor did not warn about the entries holding the separator"
grep -qF "(the first: 'home')" "$log" || fail "the warning does not name the first such entry"

explanation=$("$CLI" lookup "$work/sample.lxd" home --no-substring --no-vice-versa) || fail "home is gone"
[[ "$explanation" == *"Zuhause, Heim; see also file://e=house"* ]] || fail "the explanation was cut: $explanation"
"$CLI" convert "$work/sample.lxd" "$work/after.csv" --separator '|' >/dev/null || fail "cannot read the saved file"
cmp -s "$work/before.csv" "$work/after.csv" ||
    fail "entries or dates changed: $(diff "$work/before.csv" "$work/after.csv" | head -5)"
echo "PASS"
