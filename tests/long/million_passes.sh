#!/usr/bin/env bash
# A million passes of play through the replay runner: the game stays
# correct and free of undefined behaviour when it runs for hours (a million
# passes is four hours at 70 a second). On level 5 the player walks five
# cells right, which brings the turret anchored at (13, 36), group D slot 12,
# into the scanned columns from pass 9 on, and then stands still. At the
# last pass he still stands, the title timer has run through its 901 values
# over and over, and the turret has fired a rising shot every 61 of its
# visits all along: its fire timer, the slot it arms next and the shot it
# armed last are where that rule puts them.
# Usage (from a build directory): million_passes.sh PATH/TO/tarnblast-replay
set -u
replay=${1:?usage: million_passes.sh PATH/TO/tarnblast-replay}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

passes=1000000
visits=$((passes - 8))
armed=$((visits / 61)) timer=$((visits % 61))
printf '10* RIGHT\n%s*\n' $((passes - 10)) >"$work/play.txt"
"$replay" --warp 5 --trace "$work/play.jsonl" --trace-list "$passes" "$work/play.txt" ||
    fail "play run ended with $?"
python3 - "$work/play.jsonl" "$passes" "$timer" "$((1 + armed % 20))" "$(((armed - 1) % 20 + 1))" <<'EOF' || exit 1
import json, sys
state = json.loads(open(sys.argv[1]).readline())
passes, timer, next_shot, last = (int(a) for a in sys.argv[2:])
turret, want = state["enemies_d"][12], {
    "game_mode": 2, "camera_column": 5, "player_falling": 1, "title_timer": passes % 901,
    "turret's fire timer": timer, "turret's next shot": next_shot,
    "last shot in flight": 2, "last shot's height": 130 - 2 * (timer + 1)}
got = dict(state, **{"turret's fire timer": turret["fire_timer"],
                     "turret's next shot": turret["next_shot"],
                     "last shot in flight": turret["shots"][last]["flying"],
                     "last shot's height": turret["shots"][last]["y"]})
wrong = [f"{name} {got[name]}, not {value}" for name, value in want.items() if got[name] != value]
print("FAIL: " + "; ".join(wrong) if wrong else "PASS: a million passes standing, the turret firing")
sys.exit(1 if wrong else 0)
EOF
