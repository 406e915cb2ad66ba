#!/bin/sh
# End to end: tessaly-cli repeats one host command 999 times against the
# printer simulator over pseudo-terminals and reports commands per second,
# for both protocols. Every command is framed, written, acknowledged,
# answered, acknowledged back and logged in memory, as in the window.
#
# Usage: bench/bench_cli_repeat.sh [BUILD_DIR]   (default: build)
set -eu

bench=bench_cli_repeat
. "$(dirname "$0")/sim_session.sh"
count=999

run() {
    protocol=$1
    start_sim --protocol "$protocol" --profile "$root/examples/demo-profile.ini"

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
    stop_sim

    grep -q "^Outcome: answer ($count sent)" "$work/out" || { echo "bench_cli_repeat: unexpected outcome:" >&2; cat "$work/out" >&2; exit 1; }
    awk -v n=$count -v ns=$((end - start)) -v p="$protocol" \
        'BEGIN { s = ns / 1e9; printf "%-10s %d commands in %.3f s: %.1f commands per second (%.2f ms each, process start included)\n", p, n, s, n / s, s * 1000 / n }'
}

run extended
run compatible
