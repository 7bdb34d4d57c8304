# Helpers for tests of the real program in a real X window under Xvfb.
# Source this file; every test gets its own display, temporary folder and
# HOME (so that its ALSA settings never touch the user's), and everything it
# started is stopped on exit.
set -u

WL_XVFB_PID=""
WL_GAME_PID=""
WL_WIN=""
WL_TMP=""

wl_fail() { echo "FAIL: $*" >&2; exit 1; }

wl_cleanup() {
    [ -n "$WL_GAME_PID" ] && kill -9 "$WL_GAME_PID" 2>/dev/null
    [ -n "$WL_XVFB_PID" ] && kill "$WL_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    [ -n "$WL_TMP" ] && rm -rf "$WL_TMP"
}

# Makes $WL_TMP and starts the test's display.
wl_setup() {
    for tool in Xvfb xdotool xwd convert; do
        command -v "$tool" >/dev/null || wl_fail "$tool is not installed"
    done
    WL_TMP=$(mktemp -d /tmp/tarnblast-window.XXXXXX)
    trap wl_cleanup EXIT
    wl_start_display
}

# Starts Xvfb (1024 x 768) on a free display. -noreset: Xvfb otherwise resets
# whenever its last client leaves, and drops a client (the game) that
# connects during the reset.
wl_start_display() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -noreset -screen 0 1024x768x24 -nolisten tcp >"$WL_TMP/xvfb.log" 2>&1 &
        WL_XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 50); do
            if xdpyinfo >/dev/null 2>&1 || xdotool getmouselocation >/dev/null 2>&1; then
                # A test started at the same moment may own this display:
                # then this server has given up, and the display is not ours.
                sleep 0.2
                kill -0 "$WL_XVFB_PID" 2>/dev/null && return 0
                break
            fi
            kill -0 "$WL_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$WL_XVFB_PID" 2>/dev/null
        WL_XVFB_PID=""
    done
    wl_fail "could not start Xvfb"
}

# Stops the test's display as a desktop's X server stops, and waits until it
# has gone.
wl_stop_display() {
    kill "$WL_XVFB_PID" 2>/dev/null
    wl_await wl_gone "$WL_XVFB_PID"
    wait "$WL_XVFB_PID" 2>/dev/null
    WL_XVFB_PID=""
}
wl_gone() { ! kill -0 "$1" 2>/dev/null; }

# Sends the game's ALSA output to the file $1 (raw signed 16-bit stereo);
# call before wl_start_game.
wl_capture_sound() {
    export HOME="$WL_TMP/home"
    mkdir -p "$HOME"
    echo "pcm.!default { type file slave.pcm \"null\" file \"$1\" format \"raw\" }" >"$HOME/.asoundrc"
}

# wl_start_game GAME [ENV=VALUE ...]: starts the game from the working
# directory, or from $WL_GAME_DIR (which must hold data/), and waits for its
# window ($WL_WIN).
wl_start_game() {
    local game=$1
    shift
    local i code=""
    (cd "${WL_GAME_DIR:-.}" && exec env "$@" "$game") >"$WL_TMP/game.out" 2>"$WL_TMP/game.err" &
    WL_GAME_PID=$!
    for i in $(seq 100); do
        WL_WIN=$(xdotool search --name '^Tarnblast$' 2>/dev/null | head -n 1)
        [ -n "$WL_WIN" ] && break
        if ! kill -0 "$WL_GAME_PID" 2>/dev/null; then
            code=0
            wait "$WL_GAME_PID" || code=$?
            wl_fail "the game ended with $code before its window appeared: $(grep -v '^ALSA' "$WL_TMP/game.err")"
        fi
        sleep 0.1
    done
    [ -n "$WL_WIN" ] || wl_fail "no window titled Tarnblast appeared: $(grep -v '^ALSA' "$WL_TMP/game.err")"
    # Keys and messages go to the window once it is mapped and the game runs
    # its passes: the recording (every test keeps one) holds its first pass.
    wl_await wl_viewable
    local record
    for record in "$@"; do
        [ "${record#TARNBLAST_RECORD=}" != "$record" ] || continue
        record=${record#TARNBLAST_RECORD=}
        [ "${record#/}" != "$record" ] || record="${WL_GAME_DIR:-.}/$record"
        wl_await wl_first_pass "$record"
    done
}
wl_first_pass() { [ -f "$1" ] && grep -qv '^#' "$1"; }
wl_viewable() { xwininfo -id "$WL_WIN" 2>/dev/null | grep -q 'Map State: IsViewable'; }

wl_key_down() { xdotool keydown --window "$WL_WIN" "$1" 2>/dev/null; }
wl_key_up() { xdotool keyup --window "$WL_WIN" "$1" 2>/dev/null; }
# Checks against what the game says: wl_recorded KEYS FILE (the last pass
# held exactly KEYS), wl_running FILE LINES (passes were recorded beyond the
# first LINES lines), wl_paused [SCALE] (the window shows "PAUSED": its box
# in the middle holds only white and black, and enough white for the word).
wl_recorded() { [ "$(tail -n 1 "$2")" = "$1" ]; }
wl_running() { [ "$(wc -l <"$1")" -gt "$2" ]; }
wl_paused() {
    local s=${1:-1}
    xwd -silent -id "$WL_WIN" | convert xwd:- -crop "$((48 * s))x$((8 * s))+$((136 * s))+$((96 * s))" \
        -format %c histogram:info:- 2>/dev/null |
        awk -v least=$((40 * s * s)) '/#FFFFFF/ { white = $1 + 0 } !/#FFFFFF|#000000/ { other = 1 }
            END { exit !(white >= least && !other) }'
}
# wl_await CHECK...: tries the check 500 times, 20 ms apart. wl_hold KEY
# CHECK...: holds KEY down until then. A timed tap can fall between two
# passes when the machine is busy; these cannot.
wl_await() {
    local i
    for i in $(seq 500); do
        "$@" && return 0
        sleep 0.02
    done
    wl_fail "waited in vain for: $*"
}
wl_hold() {
    local key=$1
    shift
    wl_key_down "$key"
    wl_await "$@"
    wl_key_up "$key"
}

# The window's contents as a PNG file.
wl_screenshot() {
    xwd -silent -id "$WL_WIN" | convert xwd:- "$1" || wl_fail "screenshot failed"
}

# wl_wait_exit [SECONDS]: sets WL_EXIT_CODE (the game's exit code, or
# "timeout"). Call it in the test's own shell, not in $(...): a subshell
# cannot collect the exit code of a game that ends only while it waits.
wl_wait_exit() {
    local i
    WL_EXIT_CODE=timeout
    for i in $(seq $((${1:-10} * 10))); do
        wl_gone "$WL_GAME_PID" && break
        sleep 0.1
    done
    wl_gone "$WL_GAME_PID" || return 0
    WL_EXIT_CODE=0
    wait "$WL_GAME_PID" || WL_EXIT_CODE=$?
    WL_GAME_PID=""
}

# wl_expect_exit CODE SECONDS WHAT: fails unless the game ends in time with CODE.
wl_expect_exit() {
    wl_wait_exit "$2"
    [ "$WL_EXIT_CODE" = "$1" ] || wl_fail "$3 ended the game with $WL_EXIT_CODE: $(grep -v '^ALSA' "$WL_TMP/game.err")"
}

# Number of pixels that differ between two images of the same size.
wl_pixel_difference() {
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
