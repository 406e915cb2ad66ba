#!/usr/bin/env bash
# Builds the Debian package and checks it without installing anything: its
# dependencies name Debian's Qt 6 packages, it holds what an installation
# needs, and the programs extracted from it run on their own, the
# command-line tool sending commands to the simulator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

deb=$("$root/scripts/package.sh" | tail -n 1)
work=$(mktemp -d)
sim=""
cleanup() {
  if [ -n "$sim" ]; then
    kill "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
fail() {
  echo "check-package: $*" >&2
  echo "check-package: $passed passed, 1 failed"
  exit 1
}
pass() {
  echo "check-package: ok: $*"
  passed=$((passed + 1))
}

echo "check-package: $deb"

# Dependencies: computed from the programs, plus the platform plugins.
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The package names alone, one a line.
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for name in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 qt6-qpa-plugins; do
  grep -Fqx "$name" <<<"$names" || fail "Depends does not name $name"
done
pass "dependencies"

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
for file in bin/tessaly bin/tessaly-cli bin/tessaly-printer-sim \
    share/applications/tessaly.desktop share/mime/packages/tessaly.xml \
    share/icons/hicolor/scalable/apps/tessaly.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-tessaly.svg \
    share/icons/hicolor/16x16/apps/tessaly.png share/icons/hicolor/16x16@2/apps/tessaly.png \
    share/icons/hicolor/256x256/apps/tessaly.png share/icons/hicolor/512x512/apps/tessaly.png \
    share/man/man1/tessaly.1.gz share/man/man1/tessaly-cli.1.gz share/man/man1/tessaly-printer-sim.1.gz \
    share/doc/tessaly/README.md share/doc/tessaly/cli.md share/doc/tessaly/simulator.md \
    share/doc/tessaly/plans.md share/doc/tessaly/captures.md \
    share/doc/tessaly/examples/demo.tsy share/doc/tessaly/examples/demo-profile.ini \
    share/doc/tessaly/examples/receipt.plan; do
  [ -e "$usr/$file" ] || fail "the package lacks /usr/$file"
done
desktop-file-validate "$usr/share/applications/tessaly.desktop" || fail "the desktop entry is not valid"
pass "contents"

# The programs take their libraries from the system, never from a build folder.
for program in tessaly tessaly-cli tessaly-printer-sim; do
  if readelf -d "$usr/bin/$program" | grep -Eq 'R(UN)?PATH'; then
    fail "$program carries a library search path"
  fi
done
pass "no library search paths"

# The window program answers --help and --version without a display.
version=$(dpkg-deb --field "$deb" Version)
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/tessaly" --version) \
  || fail "tessaly --version failed"
[ "$answer" = "Tessaly $version" ] || fail "tessaly --version said '$answer'"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/tessaly" --help | grep -q -- '--host-port' \
  || fail "tessaly --help failed"
answer=$("$usr/bin/tessaly-cli" --version) || fail "tessaly-cli --version failed"
[ "$answer" = "tessaly-cli $version" ] || fail "tessaly-cli --version said '$answer'"
pass "versions"

# The extracted tool and simulator against each other, on the extracted
# samples. The tool reads the window's settings: a fresh folder has none.
examples=$usr/share/doc/tessaly/examples
export XDG_CONFIG_HOME=$work/config
"$usr/bin/tessaly-printer-sim" --profile "$examples/demo-profile.ini" \
  >"$work/sim.out" 2>"$work/sim.trace" &
sim=$!
for _ in $(seq 200); do
  [ "$(wc -l <"$work/sim.out")" -ge 2 ] && break
  kill -0 "$sim" 2>/dev/null || fail "the simulator stopped: $(cat "$work/sim.trace")"
  sleep 0.05
done
host=$(sed -n 's/^host: //p' "$work/sim.out")
fiscal=$(sed -n 's/^fiscal: //p' "$work/sim.out")
[ -n "$host" ] && [ -n "$fiscal" ] || fail "the simulator named no ports"

"$usr/bin/tessaly-cli" check "$examples/demo.tsy" >/dev/null || fail "tessaly-cli check of the sample failed"
out=$("$usr/bin/tessaly-cli" send "$examples/demo.tsy" "Status/Status query" --port "$host") \
  || fail "tessaly-cli send on the host port failed: $out"
grep -q '^Serial number: TS-00012345$' <<<"$out" || fail "unexpected host answer: $out"
pass "host command"
out=$("$usr/bin/tessaly-cli" send "$examples/demo.tsy" "Fiscal port/Alive check" --fiscal-port "$fiscal") \
  || fail "tessaly-cli send on the fiscal port failed: $out"
grep -q '^Outcome: ack' <<<"$out" || fail "unexpected fiscal answer: $out"
pass "fiscal command"
out=$("$usr/bin/tessaly-cli" run "$examples/receipt.plan" --port "$host" --fiscal-port "$fiscal") \
  || fail "tessaly-cli run of the sample plan failed: $out"
pass "sample plan"

echo "check-package: $passed passed, 0 failed"
