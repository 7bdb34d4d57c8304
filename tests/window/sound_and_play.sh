# The real program's sound, captured through ALSA's file plugin:
#   - the music plays from start-up on and loops; the editor plays none;
#   - holding Space in play adds the gun; a kill adds the blast.
# Each sound is checked in a run of its own, with test samples in which only
# that sound is audible (the others are silent), so that what is heard can
# only come from it.
# Usage: sound_and_play.sh GAME REPLAY (from the build directory)
. "$(dirname "$0")/window_lib.sh"
game=$(realpath "$1")
command -v sox >/dev/null || wl_fail "sox is not installed"
wl_setup

# A folder the game runs in, with the real pictures and the given samples.
# Arguments: folder, then which of music, gun, blast is audible.
make_game_dir() {
    local dir=$1
    shift
    mkdir -p "$dir/data"
    cp data/main.bmp data/main2.bmp "$dir/data/"
    local name file
    for name in music gun blast; do
        case $name in
            music) file=gmsong.wav ;;
            gun) file=sgun.wav ;;
            blast) file=blowup.wav ;;
        esac
        if [[ " $* " == *" $name "* ]]; then
            sox -n -r 22050 -b 16 -c 1 -e signed "$dir/data/$file" synth 0.4 sine 440 vol 0.5
        else
            sox -n -r 22050 -b 16 -c 1 -e signed "$dir/data/$file" trim 0 0.4
        fi
    done
}

# Peak amplitude of a capture (Allegro mixes unsigned 16-bit stereo), or of
# its first N seconds of sound.
peak() {
    local capture=$1 seconds=${2:-}
    local trim=""
    [ -n "$seconds" ] && trim="trim 0 $seconds"
    # shellcheck disable=SC2086
    sox -t raw -r 44100 -e unsigned -b 16 -c 2 "$capture" -n $trim stat 2>&1 |
        awk '/Maximum amplitude/ { print $3 }'
}

audible() { awk -v p="$1" 'BEGIN { exit !(p > 0.01) }'; }

# Runs the game in a folder with the keys of a scene; leaves the capture.
# Arguments: folder, start mode, scene (a function sending keys).
run_scene() {
    local dir=$1 mode=$2 scene=$3
    wl_capture_sound "$dir/capture.raw"
    WL_GAME_DIR=$dir wl_start_game "$game" TARNBLAST_START_MODE="$mode"
    "$scene"
    wl_tap Escape
    wl_wait_exit 10
    [ "$WL_EXIT_CODE" = 0 ] || wl_fail "the game ended with $WL_EXIT_CODE"
    [ -s "$dir/capture.raw" ] || wl_fail "nothing was captured in $dir"
}

wait_a_while() { sleep 2; }
fire_standing() {
    wl_tap s 0.2
    sleep 0.8
    wl_tap space 1
}
shoot_the_first_enemy() {
    wl_tap s 0.2
    sleep 0.5
    xdotool keydown --window "$WL_WIN" space Up Right 2>/dev/null
    sleep 3
    xdotool keyup --window "$WL_WIN" space Up Right 2>/dev/null
}

make_game_dir "$WL_TMP/music" music
run_scene "$WL_TMP/music" 1 wait_a_while
audible "$(peak "$WL_TMP/music/capture.raw" 0.1)" || wl_fail "no music at start-up"
# The test music lasts 0.4 s: sound long after that means it loops.
seconds=$(sox -t raw -r 44100 -e unsigned -b 16 -c 2 "$WL_TMP/music/capture.raw" -n stat 2>&1 |
    awk '/Length/ { print $3 }')
awk -v s="$seconds" 'BEGIN { exit !(s > 1.5) }' || wl_fail "capture too short ($seconds s)"
tail_peak=$(sox -t raw -r 44100 -e unsigned -b 16 -c 2 "$WL_TMP/music/capture.raw" -n \
    trim "$(awk -v s="$seconds" 'BEGIN { print s - 0.5 }')" stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
audible "$tail_peak" || wl_fail "the music does not loop"

make_game_dir "$WL_TMP/editor" music gun blast
run_scene "$WL_TMP/editor" 3 wait_a_while
audible "$(peak "$WL_TMP/editor/capture.raw")" && wl_fail "the editor plays sound"

make_game_dir "$WL_TMP/gun" gun
run_scene "$WL_TMP/gun" 1 fire_standing
audible "$(peak "$WL_TMP/gun/capture.raw")" || wl_fail "Space in play does not sound the gun"

make_game_dir "$WL_TMP/blast" blast
run_scene "$WL_TMP/blast" 1 shoot_the_first_enemy
audible "$(peak "$WL_TMP/blast/capture.raw")" || wl_fail "no blast was heard when shooting the first enemy"

echo "PASS: music from start-up and looping, none in the editor, gun and blast heard"
