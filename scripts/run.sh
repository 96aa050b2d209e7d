#!/usr/bin/env bash
# Builds the editor and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh"
exec "$root/build/app/quorvel-thornmere" "$@"
