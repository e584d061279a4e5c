#!/usr/bin/env bash
# Builds the shipped PE32 Vorlane.exe and packs it with a short text on use
# into dist/Vorlane-<version>.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
command -v zip >/dev/null || { echo "release: zip is missing (apt-get install zip)" >&2; exit 1; }
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Vorlane
scripts/check-imports.sh build/win32/src/win32/Vorlane.exe
version=$(sed -n 's/^project(Vorlane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Vorlane" dist
cp build/win32/src/win32/Vorlane.exe "$stage/Vorlane/"
sed 's/$/\r/' resources/release-readme.txt >"$stage/Vorlane/README.txt"
rm -f "dist/Vorlane-$version.zip"
(cd "$stage" && zip -q -X -r - Vorlane) >"dist/Vorlane-$version.zip"
echo "dist/Vorlane-$version.zip:"
unzip -l "dist/Vorlane-$version.zip"
