#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test; CTest's summary is the last
# thing printed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh" --tests
"$root/scripts/build.sh"
cd "$root/build"
export QT_QPA_PLATFORM=offscreen
exec ctest --output-on-failure --parallel "$(nproc)"
