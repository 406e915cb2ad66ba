# Sourced by the benchmarks that drive tessaly-cli against the printer
# simulator over pseudo-terminals. Expects `bench` (the benchmark's name) and
# the build folder as $1; sets root, build, cli, sim and work, removes the
# work folder and stops the simulator on exit, and keeps the user's settings
# out of it.
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cli=$build/src/cli/tessaly-cli
sim=$build/src/sim/tessaly-printer-sim
for program in "$cli" "$sim"; do
    if [ ! -x "$program" ]; then
        echo "$bench: $program is missing; build the targets tessaly-cli and tessaly-printer-sim" >&2
        exit 1
    fi
done

work=$(mktemp -d)
sim_pid=
cleanup() {
    stop_sim
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The user's settings are left alone: the tool reads them from here.
export XDG_CONFIG_HOME="$work/config"

# start_sim ARGUMENTS...: starts the simulator and sets host to its host port.
start_sim() {
    # Emptied here, not by the simulator's redirection, so the names of an
    # earlier simulator are never read for this one's.
    : >"$work/ports"
    "$sim" "$@" --trace "$work/trace" >"$work/ports" 2>"$work/sim.err" &
    sim_pid=$!
    tries=0
    while [ "$(wc -l <"$work/ports")" -lt 2 ]; do
        tries=$((tries + 1))
        if [ $tries -gt 500 ] || ! kill -0 "$sim_pid" 2>/dev/null; then
            echo "$bench: the simulator named no ports" >&2
            cat "$work/sim.err" >&2
            exit 1
        fi
        sleep 0.01
    done
    host=$(sed -n 's/^host: //p' "$work/ports")
}

stop_sim() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    sim_pid=
}
