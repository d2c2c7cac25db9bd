#!/usr/bin/env bash
# Renders every data page in German and English to docs/screenshots/<page>_<ger|eng>.png, using
# the shipped settings file. Builds the renderer first when needed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
cmake --build "$build" --target page-screenshots -j2
QT_QPA_PLATFORM=offscreen "$build/bin/page-screenshots" "$root/resources/zozedud.Ini" "$root/docs/screenshots"
