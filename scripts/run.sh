#!/usr/bin/env bash
# Sets up the machine, builds the program and opens its main window.
# Arguments are passed to the program (e.g. LIGHTER, or: script FILE).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
exec build/twtools "$@"
