#!/usr/bin/env bash
# The page's tests begin here: builds the browser version as ./play-web.sh does (with the asset
# pack of the Linux build the tests run in), and installs puppeteer-core, pinned by the lockfile
# beside this script, without a browser of its own (Debian's Chromium is the browser).
#
#   build_web.sh SOURCE_DIR LINUX_BUILD_DIR WEB_BUILD_DIR SITE_DIR NODE_DIR
set -euo pipefail
ROOT=$1
source "$ROOT/scripts/setup.sh"
BUILD_DIR=$2
web_build=$3 site=$4 node_dir=$5

# As every build of the tests, with the compiler's warnings as errors.
tq_build_web "$web_build" "$site" -DTQ_WERROR=ON

mkdir -p "$node_dir"
if ! cmp -s "$ROOT/tests/web/package-lock.json" "$node_dir/package-lock.json" ||
   [ ! -d "$node_dir/node_modules/puppeteer-core" ]; then
    cp "$ROOT/tests/web/package.json" "$ROOT/tests/web/package-lock.json" "$node_dir/"
    (cd "$node_dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
