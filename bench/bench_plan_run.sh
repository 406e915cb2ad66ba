#!/bin/sh
# End to end: tessaly-cli runs a 1,000-step plan against the printer
# simulator over pseudo-terminals and reports steps per second, then sends
# the same command 999 times with `send --repeat` and reports the plan's
# own overhead per command (reading and checking the plan, each step's
# values, the answers decoded and compared, a line printed per step).
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

# The best of five rounds of each: other work on the machine only ever
# adds time.
plan_ns=
send_ns=
for round in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$cli" run "$plan" --port "$host" >"$work/run.out"
    end=$(date +%s%N)
    tail -n 1 "$work/run.out" | grep -q "^Bench: $steps steps, $steps passed, 0 failed" \
        || { echo "bench_plan_run: the plan did not pass:" >&2; tail -n 5 "$work/run.out" >&2; exit 1; }
    if [ -z "$plan_ns" ] || [ $((end - start)) -lt "$plan_ns" ]; then plan_ns=$((end - start)); fi

    start=$(date +%s%N)
    "$cli" send "$root/examples/demo.tsy" "Receipt/Sell item" --port "$host" --set 4=1,99 --repeat $repeat >"$work/send.out"
    end=$(date +%s%N)
    grep -q "^Outcome: answer ($repeat sent)" "$work/send.out" \
        || { echo "bench_plan_run: unexpected outcome:" >&2; cat "$work/send.out" >&2; exit 1; }
    if [ -z "$send_ns" ] || [ $((end - start)) -lt "$send_ns" ]; then send_ns=$((end - start)); fi
done

awk -v n=$steps -v ns=$plan_ns -v m=$repeat -v sns=$send_ns 'BEGIN {
    s = ns / 1e9; ss = sns / 1e9
    step = s * 1000 / n; command = ss * 1000 / m
    printf "best of 5 rounds\n"
    printf "run          %d steps in %.3f s: %.1f steps per second (%.3f ms each, process start included)\n", n, s, n / s, step
    printf "send --repeat %d commands in %.3f s: %.1f commands per second (%.3f ms each)\n", m, ss, m / ss, command
    printf "overhead of the plan run: %.1f%% per command\n", (step - command) * 100 / command
}'
