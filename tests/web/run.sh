#!/usr/bin/env bash
# The browser tests: the page in headless Chromium against the replay runner.
#   tests/web/run.sh BUILD_WEB_DIR NATIVE_BUILD_DIR [--screenshot PNG] [--only TEST]
# One line per test; exits 1 if any failed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -x /usr/bin/chromium ] || "$here/../../scripts/install-deps.sh" web
[ -d "$here/node_modules/puppeteer-core" ] || (cd "$here" && npm ci --no-audit --no-fund >/dev/null)
exec node "$here/page_test.mjs" "$@"
