#!/usr/bin/env bash
# Runs every test: the native unit tests (plain and under AddressSanitizer and
# UndefinedBehaviorSanitizer), a short run of each fuzz target, both Windows
# builds with their import check, and the end-to-end tests of the real
# program under Wine. Installs what it lacks first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

step() { printf '\n=== %s\n' "$*"; }

step "native unit tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "native unit tests under ASan + UBSan"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize
ctest --preset native-sanitize

step "fuzz targets (short runs from the committed seeds)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scripts/fuzz.sh "${VORLANE_FUZZ_SECONDS:-10}"

step "Windows builds"
cmake --preset win32 >/dev/null
cmake --build --preset win32
scripts/check-imports.sh build/win32/src/win32/Vorlane.exe
cmake --preset win64 >/dev/null
cmake --build --preset win64
scripts/check-imports.sh build/win64/src/win32/Vorlane.exe

step "end-to-end tests under Wine"
scripts/wine-prefix.sh
ctest --preset win64
