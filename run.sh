#!/usr/bin/env bash
# Builds Clipvane (installing what is missing) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
source "$root/scripts/prepare.sh"
exec "$root/build/clipvane" "$@"
