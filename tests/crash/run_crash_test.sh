#!/bin/bash
# Kills recipe saves at random points and checks after each kill, and after
# the next read, that every recipe is wholly old or wholly new and that no
# stray file remains.
#   tests/crash/run_crash_test.sh [build dir] [kills] [recipes]
set -u
build=${1:-build}
kills=${2:-550}
recipes=${3:-4}
bin="$build/tests/recipe_crash"
[ -x "$bin" ] || { echo "build the target recipe_crash first: cmake --build $build --target recipe_crash"; exit 2; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
"$bin" init "$root" "$recipes" || exit 1

torn=0 pending=0 leftovers=0
for ((i = 1; i <= kills; i++)); do
    "$bin" save "$root" "$recipes" >/dev/null &
    pid=$!
    # 0.2 to 1.4 s: past the start-up, into one of several saves.
    ms=$((200 + RANDOM % 1200))
    sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    line=$("$bin" check "$root")
    status=$?
    summary=$(tail -n 1 <<<"$line")
    if [ $status -ne 0 ]; then
        echo "kill $i: $line"
        torn=$((torn + 1))
    fi
    pending=$((pending + $(sed -n 's/.*pending=\([0-9]*\).*/\1/p' <<<"$summary")))
    leftovers=$((leftovers + $(sed -n 's/.*leftovers=\([0-9]*\).*/\1/p' <<<"$summary")))
done
echo "kills=$kills recipes=$recipes completed_on_read=$pending dropped_uncommitted=$leftovers torn_checks=$torn"
[ $torn -eq 0 ]
