# Shared by the tests that run the real program on a virtual X display (Xvfb).
# Sourced with LEXARO set to the program with the script driver (lexaro-scripted); every process started
# here is ended on exit.

readonly SKIP=77
work=$(mktemp -d "${TMPDIR:-/tmp}/lexaro-desktop.XXXXXX")
pids=()
display=""

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    local log
    for log in "$work"/*.log "$work"/*.out; do
        [[ -e "$log" ]] && { echo "--- $(basename "$log")"; cat "$log"; }
    done
    exit 1
}

# Starts Xvfb on a display it picks itself, so that tests running side by side never share one.
start_display() {
    if ! command -v Xvfb >/dev/null; then
        echo "SKIPPED: Xvfb is not installed (scripts/install-deps installs the package xvfb)"
        exit $SKIP
    fi
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
    pids+=($!)
    local i
    for ((i = 0; i < 100; i++)); do
        display=$(cat "$work/display" 2>/dev/null)
        [[ -n "$display" ]] && break
        sleep 0.1
    done
    [[ -n "$display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
    export DISPLAY=":$display"
    # Under a desktop session Qt would look for a tray on D-Bus; here only the X display counts.
    unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
}

# start_lexaro NAME SCRIPT [ARGUMENT...]: a program with its own home, settings and data folders, driven by
# the commands in SCRIPT; it logs to SCRIPT.log. Sets $started to its process id. Its windows carry the
# X window class of the desktop program ("lexaro" "Lexaro"), not one named after the test program's file.
start_lexaro() {
    local name=$1 script=$2
    shift 2
    local home="$work/$name"
    mkdir -p "$home/config" "$home/common" "$home/runtime"
    chmod 700 "$home/runtime"
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" LEXARO_COMMON_DIR="$home/common" \
        RESOURCE_NAME=lexaro LEXARO_SCRIPT="$script" "$LEXARO" "$@" >"$work/$name.out" 2>&1 &
    started=$!
    pids+=("$started")
}

# run_lexaro NAME SCRIPT SECONDS [ARGUMENT...]: start_lexaro, then waits until the program has ended and fails
# when it did not or when a script step failed. Sets $log to the script's log.
run_lexaro() {
    local name=$1 script=$2 seconds=$3
    shift 3
    start_lexaro "$name" "$script" "$@"
    wait_exit "$started" "$seconds" || fail "the program did not finish"
    log="$script.log"
    grep -q FAIL "$log" && fail "a script step failed"
}

# write_settings NAME ELEMENTS: the settings file that the program NAME starts with.
write_settings() {
    local folder="$work/$1/config/Corvane/Lexaro"
    mkdir -p "$folder"
    printf '<?xml version="1.0" encoding="utf-8"?>\r\n<InitFile>\r\n%s\r\n</InitFile>\r\n' "$2" >"$folder/Lexaro.ini"
}

# wait_exit PID SECONDS: true when the process ended within the time.
wait_exit() {
    local pid=$1 i
    for ((i = 0; i < $2 * 10; i++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# wait_for TEXT FILE SECONDS: true when FILE contains the line TEXT within the time.
wait_for() {
    local i
    for ((i = 0; i < $3 * 10; i++)); do
        grep -qxF -- "$1" "$2" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
