#!/usr/bin/env bash
# Creates the template Wine prefix that wine-run.sh copies for every test run.
#
#   scripts/wine-prefix.sh [PREFIX]      (default: build/wine/template)
#
# Safe to run any number of times, also from several processes at once: a complete template (marked by
# .vorlane-template) is left alone, and a new one is built beside it and moved into place only when it is
# whole. Run as root, it first installs the Debian packages the tests need.
set -u
# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

template=$(realpath -m "${1:-$wine_default_template}")
needed_packages=(wine wine64 xvfb xdotool x11-utils imagemagick fonts-wqy-microhei)

install_missing_packages() {
  local missing=() p
  for p in "${needed_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "wine-prefix: missing packages (install them as root): ${missing[*]}" >&2
    return 1
  fi
  echo "wine-prefix: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends "${missing[@]}" >&2 ||
    { apt-get update >&2 && apt-get install -y --no-install-recommends "${missing[@]}" >&2; }
}

# hex7 TEXT...: the REG_MULTI_SZ data of the given strings in .reg notation (UTF-16LE, double terminator).
hex7() {
  { printf '%s\0' "$@"; printf '\0'; } | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ',,' | sed 's/^,//; s/,$//'
}

# The registry settings of a test prefix:
# - Managed=N: without a window manager Wine otherwise waits about 2 s on every top-level window close;
#   with it Wine draws the frames and sets the X focus itself.
# - font links and replacements, so that Chinese captions, labels, menus and message boxes render.
# regedit reads a file with this header as UTF-16LE; an ANSI (REGEDIT4) file would garble the CJK names.
write_registry_file() {
  local link face
  link=$(hex7 "wqy-microhei.ttc,WenQuanYi Micro Hei")
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI" "Arial"; do
      printf '"%s"=hex(7):%s\r\n' "$face" "$link"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "SimSun" "NSimSun" "Microsoft YaHei" "宋体" "微软雅黑"; do
      printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
  } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$1"
}

build_template() {
  local prefix=$1 scratch=$2
  export WINEPREFIX=$prefix
  "$WINE64" wineboot -u >/dev/null 2>&1 || { echo "wine-prefix: wineboot failed" >&2; return 1; }
  "$WINESERVER" -w
  # Debian's Wine does not look in /usr/share/wine/fonts; without these Tahoma and the caption buttons
  # are missing.
  # Tahoma Bold (the caption font) is left out: the CJK font link does not
  # reach it, and captions in Chinese would show as boxes; without it Wine
  # emboldens the linked regular face.
  local font
  for font in /usr/share/wine/fonts/*.ttf; do
    [ "$(basename "$font")" = tahomabd.ttf ] && continue
    cp "$font" "$prefix/drive_c/windows/Fonts/" || return 1
  done
  write_registry_file "$scratch/settings.reg" || return 1
  "$WINE64" regedit /S "Z:${scratch//\//\\}\\settings.reg" >/dev/null 2>&1 || return 1
  "$WINESERVER" -w
  # The registry files reach the disk when the wineserver exits; check that the import is in them.
  grep -q '"Managed"="N"' "$prefix/user.reg" || { echo "wine-prefix: registry import failed" >&2; return 1; }
}

install_missing_packages || exit 1
[ -f "$template/$wine_template_marker" ] && exit 0

mkdir -p "$(dirname "$template")" || exit 1
exec 9>"$template.lock"
flock 9
[ -f "$template/$wine_template_marker" ] && exit 0   # another run built it while we waited

scratch=$(mktemp -d "$template.new.XXXXXX") || exit 1
xvfb_pid=""
# shellcheck disable=SC2317  # called by the trap
cleanup() {
  stop_prefix "$scratch/prefix"
  [ -n "$xvfb_pid" ] && stop_pid "$xvfb_pid"
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

echo "wine-prefix: creating $template" >&2
started=$SECONDS
start_xvfb "$scratch" || exit 1
build_template "$scratch/prefix" "$scratch" || exit 1
touch "$scratch/prefix/$wine_template_marker"
rm -rf "$template"
mv "$scratch/prefix" "$template" || exit 1
echo "wine-prefix: done in $((SECONDS - started)) s" >&2
