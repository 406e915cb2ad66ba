#!/usr/bin/env bash
# Builds the tests with AddressSanitizer + UndefinedBehaviorSanitizer and with
# ThreadSanitizer, and runs them. Any sanitizer report fails the test that
# caused it.
#
#   scripts/sanitizers.sh [asan|tsan]...      (default: both)
#
# TSAN_DIRS selects the test directories of the ThreadSanitizer run (default:
# the non-GUI ones; Debian's Qt is not built for TSan, so the widget tests
# would only report races inside Qt).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
supp=$root/tools/sanitizers
jobs=${TESSALY_JOBS:-$(nproc)}
tsan_dirs=${TSAN_DIRS:-"terminal_model comm execution sim hardening"}
"$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
# The offscreen platform still looks for a session bus; libdbus keeps
# allocations for the whole process, which LeakSanitizer would report.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# The test targets of the named test directories (all of them when none).
test_targets() {
  local build=$1; shift
  if [ $# -eq 0 ]; then
    set -- $(cd "$root/tests" && ls -d */ | tr -d /)
  fi
  local dir f
  for dir in "$@"; do
    for f in "$root/tests/$dir"/tst_*.cpp "$root/tests/$dir"/soak_*.cpp; do
      [ -e "$f" ] && basename "$f" .cpp
    done
  done
}

# configure BUILD_DIR FLAGS [LINK_FLAGS]
configure() {
  cmake -S "$root" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$2 -O1 -g -fno-omit-frame-pointer -DTESSALY_SANITIZED" \
    -DCMAKE_EXE_LINKER_FLAGS="$2 ${3:-}" >/dev/null
}

# run_tests BUILD_DIR [CTEST_OPTION...] -- NAME... : ctest on exactly the named tests.
run_tests() {
  local build=$1; shift
  local options=()
  while [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  local pattern
  pattern="^($(printf '%s|' "$@" | sed 's/|$//'))\$"
  ctest --test-dir "$build" --output-on-failure -j "$jobs" "${options[@]}" -R "$pattern"
}

asan() {
  local build=${TESSALY_ASAN_DIR:-$root/build-asan}
  configure "$build" "-fsanitize=address,undefined -fno-sanitize-recover=undefined"
  local targets
  mapfile -t targets < <(test_targets "$build")
  cmake --build "$build" -j "$jobs" --target "${targets[@]}"
  ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$supp/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_tests "$build" -- "${targets[@]}"
}

tsan() {
  local build=${TESSALY_TSAN_DIR:-$root/build-tsan}
  # What Qt orders inside the library made visible to TSan (see
  # tools/sanitizers/tsan_qt_sync.cpp).
  mkdir -p "$build"
  local shim=$build/tsan_qt_sync.o
  g++ -std=c++20 -fPIC -O1 -g -fsanitize=thread $(pkg-config --cflags Qt6Core) \
    -c "$supp/tsan_qt_sync.cpp" -o "$shim"
  local wraps="" symbol
  for symbol in $(sed -n 's/^[a-z]* *__wrap_\(_Z[A-Za-z0-9_]*\)(.*/\1/p' "$supp/tsan_qt_sync.cpp"); do
    wraps+=" -Wl,--wrap=$symbol"
  done
  # CMake's own checks link plain programs, which cannot take the shim:
  # a first configuration without it makes and caches them.
  [ -f "$build/CMakeCache.txt" ] || configure "$build" "-fsanitize=thread"
  configure "$build" "-fsanitize=thread" "$shim$wraps"
  local targets
  # shellcheck disable=SC2086
  mapfile -t targets < <(test_targets "$build" $tsan_dirs)
  cmake --build "$build" -j "$jobs" --target "${targets[@]}"
  # die_after_fork=0: tests start the simulator with QProcess, which forks
  # from a process that already runs threads.
  # One narrow gap stays open: a queued call that the receiving thread takes
  # in the instant between Qt queuing it and the sender's wake-up being noted
  # is reported as a race on Qt's event object. A test that fails is run once
  # more; a race in Tessaly's code is reported again.
  TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$supp/tsan.supp" \
    run_tests "$build" --repeat until-pass:2 -- "${targets[@]}"
}

[ $# -gt 0 ] || set -- asan tsan
for step in "$@"; do
  case $step in
    asan) echo "== AddressSanitizer + UndefinedBehaviorSanitizer"; time asan ;;
    tsan) echo "== ThreadSanitizer ($tsan_dirs)"; time tsan ;;
    *) echo "unknown step: $step (asan or tsan)" >&2; exit 2 ;;
  esac
done
