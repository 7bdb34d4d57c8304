#!/usr/bin/env bash
# The browser tests: the page in headless Chromium against the replay runner
# (page_test.mjs), then the installed page: its download, the files it builds,
# offline play and a new build (install_test.mjs).
#   tests/web/run.sh BUILD_WEB_DIR NATIVE_BUILD_DIR [--screenshot PNG] [--only TEST]
# One line per test; exits 1 if any failed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -x /usr/bin/chromium ] || "$here/../../scripts/install-deps.sh" web
[ -d "$here/node_modules/puppeteer-core" ] || (cd "$here" && npm ci --no-audit --no-fund >/dev/null)
status=0
node "$here/page_test.mjs" "$@" || status=1
node "$here/install_test.mjs" "$1" "$2" $(echo "$@" | grep -o -- '--only [^ ]*') || status=1
exit $status
