#!/usr/bin/env bash
# Installs Key Derby the two ways a player would get it — `cmake --install` and the Debian
# package — checks what lands where, validates the desktop entry and the metainfo, and starts
# the installed program from its menu entry's command up to the main menu.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "-- validators"
desktop-file-validate "$src/packaging/org.keyderby.KeyDerby.desktop"
appstreamcli validate --no-net "$src/packaging/org.keyderby.KeyDerby.metainfo.xml"

echo "-- cmake --install into a staging folder"
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
for f in usr/bin/keyderby usr/share/keyderby/Midi/startup.mid usr/share/keyderby/Sound/correct.wav \
         usr/share/applications/org.keyderby.KeyDerby.desktop usr/share/metainfo/org.keyderby.KeyDerby.metainfo.xml \
         usr/share/man/man6/keyderby.6 usr/share/icons/hicolor/48x48/apps/keyderby.png usr/share/keyderby/class-server.sh \
         usr/share/icons/hicolor/256x256/apps/keyderby.png; do
  [ -e "$work/stage/$f" ] || fail "missing after install: $f"
done
[ "$(ls "$work/stage/usr/share/keyderby/Midi" | wc -l)" -eq 9 ] || fail "expected nine pieces of music"
man -l "$work/stage/usr/share/man/man6/keyderby.6" >/dev/null 2>&1 || groff -man -Tutf8 "$work/stage/usr/share/man/man6/keyderby.6" >/dev/null

echo "-- Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/keyderby_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for need in libqt6widgets6 libqt6charts6 libqt6sql6-sqlite libqt6sql6-psql libsdl2-mixer-2.0-0 timgm6mb-soundfont fonts-noto-cjk qt6-qpa-plugins; do
  grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done
# Every dependency is satisfiable on this Debian machine.
if [ "$(id -u)" -eq 0 ]; then dpkg --dry-run -i "$deb" >/dev/null || fail "dependencies not satisfiable"; fi
dpkg-deb -x "$deb" "$work/root"
[ -x "$work/root/usr/bin/keyderby" ] || fail "no program in the package"

echo "-- start the packaged program from its menu entry"
exec_line=$(sed -n 's/^Exec=//p' "$work/root/usr/share/applications/org.keyderby.KeyDerby.desktop")
data="$work/data"
mkdir -p "$data"
cat >"$work/run.sh" <<'INNER'
set -u
work=$1 data=$2; shift 2
export XDG_DATA_HOME="$data" SDL_AUDIODRIVER=dummy PATH="$work/root/usr/bin:$PATH"
unset QT_QPA_PLATFORM
"$@" >"$work/game.log" 2>&1 &
pid=$!
ok=1
for _ in $(seq 100); do [ -f "$data/keyderby/Data.dat" ] && break; sleep 0.1; done
sleep 0.8
# The name screen's OK, then the confirmation: the main menu then creates the player's files.
w=$(xdotool search --pid "$pid" --onlyvisible --name "Key Derby" | tail -1)
xdotool windowfocus --sync "$w" key Return
sleep 0.5
xdotool key Return
for _ in $(seq 100); do [ -f "$data/keyderby/DefaultUser/DATA/Data" ] && ok=0 && break; sleep 0.1; done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $ok
INNER
# shellcheck disable=SC2086
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/run.sh" "$work" "$data" $exec_line ||
  { cat "$work/game.log"; fail "the packaged program did not reach the main menu"; }
echo "packaged program reached the main menu"
