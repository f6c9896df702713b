#!/bin/sh
# Batch reading with every wait for the ring interrupted by a signal (strace
# fails each io_uring_enter after the first with EINTR): the maps must still
# read as each read alone, and the test must end. $1 strace, $2 the core tests.
set -eu
# The leak check traces the process itself, which strace already does; the
# same test is checked for leaks when it runs alone.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
timeout -s KILL 120 "$1" -f -qq -o "$log" -e trace=io_uring_enter -e inject=io_uring_enter:error=EINTR:when=2+ \
  "$2" --gtest_filter=MapName.ManyMapsReadTogetherAndTheirShortPathsAnswerAsEachAlone
# The maps went through the ring, and its waits were interrupted.
grep -q 'INJECTED' "$log"
