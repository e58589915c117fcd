#!/usr/bin/env bash
# Installs the build into a scratch prefix, makes it read-only and uses the
# program from there as a user would: its version, an export of a sample log,
# a picture of its window and the window itself, with the settings and the
# hidden list read from and written to $XDG_CONFIG_HOME/tokiwa/.
# install_test.sh BUILD_DIR VERSION SAMPLE_LOG   (CMAKE: the cmake to use)
set -euo pipefail
build=$1 version=$2 sample=$3

scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/usr
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"

# What the desktop entry names is there: the program on the path and its icon
# in the theme.
entry=$prefix/share/applications/tokiwa.desktop
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$program" ] || fail "Exec=$program is not installed in bin/"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
[ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon $icon"
appstreamcli validate-tree --no-net --strict "$prefix" >/dev/null || fail "metainfo, desktop entry or icon do not agree"
LC_ALL=C.UTF-8 man -l "$prefix/share/man/man1/tokiwa.1.gz" 2>/dev/null | grep -q "tokiwa - show program-launch logs" ||
  fail "the manual page does not render"

# Root may write anywhere, so the program runs as a user who cannot write the
# prefix. Nothing of the caller's environment may choose the folders.
home=$scratch/home
mkdir -p "$home/config" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"
cp "$sample" "$home/sample.log"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
installed=("${as_user[@]}" env -u TOKIWA_CONFIG_DIR -u DISPLAY -u WAYLAND_DISPLAY
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime"
  QT_QPA_PLATFORM=offscreen TZ=Asia/Tokyo "$prefix/bin/tokiwa")
tokiwa() { "${installed[@]}" "$@"; }
config=$home/config/tokiwa

[ "$(tokiwa --version)" = "tokiwa $version" ] || fail "--version does not say $version"

# The viewer keeps its settings there: it creates the folder and writes them
# when it closes (here on SIGTERM, once it handles the signal).
"${installed[@]}" "$home" &  # no function: $! is then the viewer itself
viewer=$!
for _ in $(seq 300); do
  mask=$(sed -n 's/^SigCgt:\s*//p' "/proc/$viewer/status" 2>/dev/null) || break
  (( (0x${mask:-0} >> 14) & 1 )) && break
  sleep 0.1
done
kill -TERM "$viewer" || fail "the viewer did not start"
wait "$viewer" || fail "the viewer ended with status $? on SIGTERM"
grep -q '^HeightB=' "$config/tokiwa.INI" || fail "closing did not write $config/tokiwa.INI"
[ -f "$config/tokiwa.LST" ] || fail "closing did not write $config/tokiwa.LST"

# The hidden list is read from there: the installed export without a list
# equals the built program's export with that list named, and hides something.
tokiwa --export "$home/sample.log" --show-all >"$scratch/all.csv" || fail "--export failed"
printf 'C:\\WINDOWS\\system32\\notepad.exe\r\n' >"$scratch/hidden.LST"
cp "$scratch/hidden.LST" "$config/tokiwa.LST"
tokiwa --export "$home/sample.log" >"$scratch/installed.csv" || fail "--export failed"
TZ=Asia/Tokyo "$build/app/tokiwa" --export "$sample" --hidden-list "$scratch/hidden.LST" >"$scratch/expected.csv"
diff "$scratch/expected.csv" "$scratch/installed.csv" || fail "the installed export differs"
! cmp -s "$scratch/all.csv" "$scratch/installed.csv" || fail "the hidden list in $config hid nothing"

# So are the settings: the window takes the size saved there.
printf '[Ord]\r\nWidth=640\r\nHeight=400\r\n' >"$config/tokiwa.INI"
tokiwa --screenshot "$home/window.png" || fail "--screenshot failed"
size=$(od -An -tu1 -j16 -N8 "$home/window.png" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
[ "$size" = 640x400 ] || fail "the window is $size, not the 640x400 of $config/tokiwa.INI"

# And nothing was left beside the program.
[ "$(ls "$prefix/bin")" = tokiwa ] || fail "files appeared in $prefix/bin"
echo "installed and ran from $prefix"
