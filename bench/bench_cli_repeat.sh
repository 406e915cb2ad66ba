#!/bin/sh
# End to end: tessaly-cli repeats one host command 999 times against the
# printer simulator over pseudo-terminals and reports commands per second,
# for both protocols. Every command is framed, written, acknowledged,
# answered, acknowledged back and logged in memory, as in the window.
#
# Usage: bench/bench_cli_repeat.sh [BUILD_DIR]   (default: build)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cli=$build/src/cli/tessaly-cli
sim=$build/src/sim/tessaly-printer-sim
count=999
for program in "$cli" "$sim"; do
    if [ ! -x "$program" ]; then
        echo "bench_cli_repeat: $program is missing; build the targets tessaly-cli and tessaly-printer-sim" >&2
        exit 1
    fi
done

work=$(mktemp -d)
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The user's settings are left alone: the tool reads them from here.
export XDG_CONFIG_HOME="$work/config"

run() {
    protocol=$1
    "$sim" --protocol "$protocol" --profile "$root/examples/demo-profile.ini" --trace "$work/trace" \
        >"$work/ports" 2>"$work/sim.err" &
    sim_pid=$!
    tries=0
    while [ "$(wc -l <"$work/ports")" -lt 2 ]; do
        tries=$((tries + 1))
        if [ $tries -gt 500 ] || ! kill -0 "$sim_pid" 2>/dev/null; then
            echo "bench_cli_repeat: the simulator named no ports" >&2
            cat "$work/sim.err" >&2
            exit 1
        fi
        sleep 0.01
    done
    host=$(sed -n 's/^host: //p' "$work/ports")

    # A command of the file's own protocol: the compatible protocol cannot
    # carry the sample's binary command codes, so it sends a text field.
    if [ "$protocol" = extended ]; then
        file=$root/examples/demo.tsy
        command="Receipt/Sell item"
        set -- --set 4=1,99
    else
        file=$work/compatible.tsy
        printf '[General]\r\nProtocol=0\r\n[Groups]\r\nB=\r\n[B]\r\nEcho=\r\n[BEcho]\r\nCommands=0,"Code","",0,"42",0,0,0,0,0,0,0,0,"Text","",0,"Item",0,0,0,0,0,0,1\r\n' >"$file"
        command="B/Echo"
        set --
    fi

    start=$(date +%s%N)
    "$cli" send "$file" "$command" --port "$host" --protocol "$protocol" --repeat $count "$@" >"$work/out"
    end=$(date +%s%N)
    kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=

    grep -q "^Outcome: answer ($count sent)" "$work/out" || { echo "bench_cli_repeat: unexpected outcome:" >&2; cat "$work/out" >&2; exit 1; }
    awk -v n=$count -v ns=$((end - start)) -v p="$protocol" \
        'BEGIN { s = ns / 1e9; printf "%-10s %d commands in %.3f s: %.1f commands per second (%.2f ms each, process start included)\n", p, n, s, n / s, s * 1000 / n }'
}

run extended
run compatible
