#!/usr/bin/env bash
# Builds the program and the stand-in library (Release) and starts the program in a working
# directory that holds Zalvotech.dll, so it is found as the main window asks.
# ZALVO_DLL=/path/to/Zalvotech.dll puts that library there instead of the stand-in.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh" --gui

build="$top/build"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZALVO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target zalvodemo Zalvotech

workdir="$top/run"
mkdir -p "$workdir"
cp -f "${ZALVO_DLL:-$build/bin/Zalvotech.dll}" "$workdir/Zalvotech.dll"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: start it as 'xvfb-run -a tools/run.sh' or with QT_QPA_PLATFORM=vnc (then connect a VNC viewer to port 5900)." >&2
    exit 1
fi
cd "$workdir"
exec "$build/bin/zalvodemo" "$@"
