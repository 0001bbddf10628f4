#!/usr/bin/env bash
# A dictionary opened through a symbolic link, as kept in a dotfiles or synced folder: after a change and Save the
# link is still a link to the same file, and that file holds the change with its permission bits.
# Usage: save-through-link.sh LEXARO LEXARO_CLI
set -uo pipefail
LEXARO=$1
CLI=$2
source "$(dirname "$0")/desktop-lib.sh"
start_display

mkdir -p "$work/synced"
dict="$work/synced/words.lxd"
for entry in "water Wasser" "house Haus"; do
    "$CLI" add "$dict" $entry >/dev/null || fail "cannot create the dictionary"
done
chmod 640 "$dict"
ln -s synced/words.lxd "$work/words.lxd"

cat >"$work/link.script" <<SCRIPT
search water
wait-pane Wasser
edit-pane Wasser => Wasser, das
trigger ID_MEN_MODIFY
trigger ID_MEN_SAVE
quit
SCRIPT
run_lexaro link "$work/link.script" 20 "$work/words.lxd"

[[ -L "$work/words.lxd" ]] || fail "saving turned the link into a plain file"
[[ $(readlink "$work/words.lxd") == synced/words.lxd ]] || fail "the link leads elsewhere: $(readlink "$work/words.lxd")"
explanation=$("$CLI" lookup "$dict" water --no-substring --no-vice-versa) || fail "water is gone from the linked file"
[[ "$explanation" == *"Wasser, das"* ]] || fail "the linked file does not hold the change: $explanation"
[[ $(stat -c %a "$dict") == 640 ]] || fail "the linked file's permission bits changed to $(stat -c %a "$dict")"
[[ -z $(find "$work/synced" "$work" -maxdepth 1 -name '*.tmp-*') ]] || fail "a temporary file was left behind"
echo "PASS"
