#!/usr/bin/env bash
# Installs what is missing, builds, starts the printer simulator and opens the
# sample terminal file in Tessaly on the simulator's ports.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"

sim_out=$(mktemp)
"$build/src/sim/tessaly-printer-sim" --protocol extended \
    --profile "$root/examples/demo-profile.ini" >"$sim_out" 2>/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null; rm -f "$sim_out"' EXIT
for _ in $(seq 100); do
  [ "$(wc -l <"$sim_out")" -ge 2 ] && break
  sleep 0.05
done
host=$(sed -n 's/^host: //p' "$sim_out")
fiscal=$(sed -n 's/^fiscal: //p' "$sim_out")
echo "Printer simulator: host port $host, fiscal port $fiscal"

# Without a display, run under a virtual X server.
launcher=()
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || launcher=(xvfb-run -a)
"${launcher[@]}" "$build/src/app/tessaly" --host-port "$host" --fiscal-port "$fiscal" \
    "$root/examples/demo.tsy"
