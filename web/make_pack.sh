#!/usr/bin/env bash
# Packs the asset pack for the page, in two parts the page unpacks into /data: the start screen's
# picture, which the game shows while the rest arrives, and every other picture and sound, which
# emscripten's file packager packs into one file with the script that unpacks it. Both are
# gzipped, so that any static server sends a third of the bytes without being told to compress.
#
#   make_pack.sh FILE_PACKAGER DATA_DIR SITE_DIR
set -euo pipefail
packager=$1 data=$2 site=$3
first=grafik/screens/startscreen.bmp
work="$site/.pack"
rm -rf "$work"
mkdir -p "$work"

gzip -6 -n -c "$data/$first" >"$work/startscreen.bmp.gz"
start=$(printf '{"file": "startscreen.bmp.gz", "path": "/data/%s", "bytes": %s, "gzipBytes": %s}' \
    "$first" "$(stat -c %s "$data/$first")" "$(stat -c %s "$work/startscreen.bmp.gz")")

# (The packager's reminder to build the game with a file system is not news: it is.)
if ! (cd "$data" && python3 "$packager" "$work/tannenquirl-data.bin" \
          --preload grafik@/data/grafik sounds@/data/sounds --exclude "$first" \
          --js-output="$work/tannenquirl-data.js" --no-node >/dev/null 2>"$work/packager.log"); then
    cat "$work/packager.log" >&2
    exit 1
fi
grep -v "^Remember to build" "$work/packager.log" >&2 || true
rm "$work/packager.log"
bytes=$(stat -c %s "$work/tannenquirl-data.bin")
gzip -6 -n "$work/tannenquirl-data.bin"
rest=$(printf '{"file": "tannenquirl-data.bin.gz", "loader": "tannenquirl-data.js", "bytes": %s, "gzipBytes": %s}' \
    "$bytes" "$(stat -c %s "$work/tannenquirl-data.bin.gz")")
printf '{"start": %s,\n "rest": %s}\n' "$start" "$rest" >"$work/pack.json"
mv "$work"/* "$site/"
rmdir "$work"
