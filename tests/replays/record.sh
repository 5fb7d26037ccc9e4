#!/usr/bin/env bash
# Records the rounds in tests/replays again, after an intended change of the rules or of the
# asset pack (a replay is refused with other pictures and sounds):
#
#   tests/replays/record.sh [BUILD_DIR]        BUILD_DIR defaults to build/
#
# Each round is played by tqdriver's autoplayer and recorded; its .expect file holds the final
# score and the digest of the rules' state that a replay must reach. Review and commit the new
# files with the change that made them necessary.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
driver="$build/tqdriver"
data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
ln -s "$build/data/grafik" "$data/grafik"
ln -s "$build/data/sounds" "$data/sounds"

# The first value of "key" in a state file (the round's score comes before the table's).
field() { grep -o "\"$2\":\"\{0,1\}[0-9a-f-]*" "$1" | head -n 1 | sed 's/.*[:"]//'; }

record() {
    local name="$1"
    shift
    rm -f "$data/score.dat" "$data/tannenquirl.ini"
    "$driver" --data "$data" --autoplay --step 33 "$@" --record "$here/$name.tqround" \
        --state "$data/recorded.json" 2>/dev/null
    "$driver" --data "$data" --replay "$here/$name.tqround" --state "$data/replayed.json"
    local score digest
    score="$(field "$data/replayed.json" score)"
    digest="$(field "$data/replayed.json" rulesDigest)"
    if [ "$score" != "$(field "$data/recorded.json" score)" ]; then
        echo "$name: the replay scored $score, the recording $(field "$data/recorded.json" score)" >&2
        exit 1
    fi
    printf 'score %s\nrulesDigest %s\n' "$score" "$digest" >"$here/$name.expect"
    echo "$name: score $score, $(stat -c %s "$here/$name.tqround") bytes"
}

# A round in the forest, its score typed into the high-score table.
record forest_with_name_entry
# The whole hunting ground, where the autoplayer unlocks and fires all four weapons.
record hunting_ground_all_weapons --panorama
