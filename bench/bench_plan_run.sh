#!/bin/sh
# End to end: tessaly-cli runs a 1,000-step plan against the printer
# simulator over pseudo-terminals and reports steps per second, then sends
# the same command 999 times with `send --repeat` and reports the plan's
# own overhead per command (reading and checking the plan, each step's
# values, the answers decoded and compared, a line printed per step).
# ROUNDS sets how many times each runs (default 9).
#
# Usage: bench/bench_plan_run.sh [BUILD_DIR]   (default: build)
set -eu

bench=bench_plan_run
. "$(dirname "$0")/sim_session.sh"
steps=1000
repeat=999
start_sim --profile "$root/examples/demo-profile.ini"

plan=$work/bench.plan
{
    printf '[Plan]\nName = Bench\nTerminal = %s\n' "$root/examples/demo.tsy"
    i=1
    while [ $i -le $steps ]; do
        printf '\n[Step Sell %d]\nCommand = Receipt/Sell item\nSet Unit price = 1,99\nReturn code = Command executed\nShown = Fiscal receipt open\nRange Item amount = 1 .. 2\nField Items in receipt = 3\n' $i
        i=$((i + 1))
    done
} >"$plan"

# Rounds alternate the two, so that other work on the machine weighs on
# both alike. The best round shows the cost with nothing else in the way,
# the median a typical run.
rounds=${ROUNDS:-9}
: >"$work/plan.ns"
: >"$work/send.ns"
round=1
while [ $round -le "$rounds" ]; do
    start=$(date +%s%N)
    "$cli" run "$plan" --port "$host" >"$work/run.out"
    end=$(date +%s%N)
    tail -n 1 "$work/run.out" | grep -q "^Bench: $steps steps, $steps passed, 0 failed" \
        || { echo "bench_plan_run: the plan did not pass:" >&2; tail -n 5 "$work/run.out" >&2; exit 1; }
    echo $((end - start)) >>"$work/plan.ns"

    start=$(date +%s%N)
    "$cli" send "$root/examples/demo.tsy" "Receipt/Sell item" --port "$host" --set 4=1,99 --repeat $repeat >"$work/send.out"
    end=$(date +%s%N)
    grep -q "^Outcome: answer ($repeat sent)" "$work/send.out" \
        || { echo "bench_plan_run: unexpected outcome:" >&2; cat "$work/send.out" >&2; exit 1; }
    echo $((end - start)) >>"$work/send.ns"
    round=$((round + 1))
done

best() { sort -n "$1" | head -n 1; }
median() { sort -n "$1" | sed -n "$(( ($(wc -l <"$1") + 1) / 2 ))p"; }

awk -v n=$steps -v m=$repeat -v rounds="$rounds" \
    -v pb="$(best "$work/plan.ns")" -v sb="$(best "$work/send.ns")" \
    -v pm="$(median "$work/plan.ns")" -v sm="$(median "$work/send.ns")" 'BEGIN {
    printf "%d rounds of each\n", rounds
    printf "run          %d steps, best %.3f s: %.1f steps per second (%.3f ms each, process start included)\n", n, pb / 1e9, n * 1e9 / pb, pb / 1e6 / n
    printf "send --repeat %d commands, best %.3f s: %.1f commands per second (%.3f ms each)\n", m, sb / 1e9, m * 1e9 / sb, sb / 1e6 / m
    printf "overhead of the plan run: %.1f%% per command (best rounds), %.1f%% (median rounds)\n", \
        (pb / n - sb / m) * 100 / (sb / m), (pm / n - sm / m) * 100 / (sm / m)
}'
