#!/usr/bin/env bash
# Times the real program from outside, as a user meets it, under Xvfb:
#  - start-up: from starting the process to the main window shown and
#    answering its first _NET_WM_PING (so painted, with its list), on the
#    generated collections of 10,000 and 50,000 recipes and on an empty one;
#  - the longest the window does not answer during each search (pings back
#    to back while the search runs through its keys);
#  - the same for the class tree: opening it, then refills while it is open
#    (the same rows again, none, all again), and its memory (RSS growth while
#    open and after closing, MB);
#  - the same for the list print preview, from opening it until its pages
#    show and it is closed again, with the resident memory before and after.
# Anchors, in the same run and interleaved: rdall reading every "Status.txt"
# (start-up) or every "材料.txt" (searches) on 8 threads and on 1. The page
# cache is warm: every run reads the same files again.
#
# Usage: bench/window_figures.sh BUILD_DIR WORK_DIR [RUNS] [SIZES] [ACTIONS]
#   BUILD_DIR  a build with the targets saporia and saporia_make_collection
#   WORK_DIR   where the program folders and collections go (50,000 recipes
#              take about 4 GB; kept for the next run)
#   RUNS       rounds (default 5); SIZES default "10000 50000"
#   ACTIONS    default "start name material refine tree listpreview"
# Needs Xvfb, openbox, xdotool, xclip, ImageMagick and gcc with libX11 and
# libjpeg headers.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
work=$(mkdir -p "$2" && realpath "$2")
runs=${3:-5}
sizes=${4:-"10000 50000"}
actions=" ${5:-start name material refine tree listpreview} "
has() { [[ $actions == *" $1 "* ]]; }
display=${SAPORIA_DISPLAY:-:71}
user=saporia-figures-$$

for tool in Xvfb openbox xdotool xclip import; do
    command -v "$tool" >/dev/null || apt-get install -y xvfb openbox xdotool xclip imagemagick >/dev/null
done
gcc -O2 -o "$work/xprobe" "$here/xprobe.c" -lX11
gcc -O2 -o "$work/rdall" "$here/rdall.c" -lpthread -ljpeg

for n in 0 $sizes; do
    app=$work/app$n
    if [ ! -d "$app/Cook" ]; then
        mkdir -p "$app/Cook"
        [ "$n" -gt 0 ] && "$build/bench/saporia_make_collection" "$app/Cook" "$n" >/dev/null
    fi
    cp "$build/saporia" "$app/"
    rm -rf "$app/help" && cp -r "$here/../help" "$app/"
done

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb $display did not start (set SAPORIA_DISPLAY)" >&2; exit 1; }
openbox >/dev/null 2>&1 &
wm=$!
program=
stop_program() {
    if [ -n "$program" ]; then
        kill "$program" 2>/dev/null || true
        while kill -0 "$program" 2>/dev/null; do sleep 0.05; done
        program=
    fi
}
trap 'stop_program; kill $wm $xvfb 2>/dev/null || true' EXIT
sleep 1

# Starts the program on collection $1; sets pong (ms to the first answer), wid and program.
start_program() {
    local out
    out=$("$work/xprobe" start "$work/app$1" "$user" 60) || { echo "xprobe: $out" >&2; exit 1; }
    read -r _ pong wid program _ <<<"$out"
}

anchor() { "$work/rdall" "$work/app$1/Cook" "$2" "$3" read 2>/dev/null; }

# Runs the keys of one search while pinging; prints the longest round trip.
blocked_during() {
    local pings=$work/pings.txt
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    sleep 0.5
    "$work/xprobe" ping "$wid" 5 >"$pings" &
    local pinger=$!
    sleep 0.5
    eval "$1"
    wait "$pinger"
    awk 'BEGIN { m = 0 } { if ($2 > m) m = $2 } END { printf "%.1f\n", m }' "$pings"
}

# Puts a word into the focused box through the clipboard and reads the box
# back the same way (xdotool type drops or garbles kana on a fresh display);
# the figures stop when the word did not land. An empty word clears the box.
put_word() {
    local probe=${1:-確認} landed= try
    for try in 1 2 3; do
        printf %s "$probe" | xclip -selection clipboard
        sleep 0.2
        xdotool key ctrl+a ctrl+v
        sleep 0.3
        [ -z "$1" ] && xdotool key ctrl+a BackSpace
        printf %s "?" | xclip -selection clipboard  # left there when nothing is copied
        sleep 0.2
        xdotool key ctrl+a ctrl+c
        sleep 0.3
        landed=$(xclip -selection clipboard -o 2>/dev/null || true)
        if [ -n "$1" ] && [ "$landed" = "$1" ]; then return 0; fi
        if [ -z "$1" ] && [ "$landed" = "?" ]; then return 0; fi
    done
    echo "the box holds \"$landed\", not \"$1\"" >&2
    exit 1
}

# The refinement box at its place in the default layout (screen coordinates
# of the maximised window).
refine_box() { xdotool mousemove "${SAPORIA_REFINE_X:-470}" "${SAPORIA_REFINE_Y:-62}" click 1; sleep 0.3; }

# A checksum of the top of the class tree's place, to see that it changed.
tree_shot() { import -window root -crop 170x200+0+95 rgb:- 2>/dev/null | md5sum; }

rss_mb() { awk '/^VmRSS/ { printf "%.1f\n", $2 / 1024 }' "/proc/$program/status"; }

# Each search for a word found nowhere, its box closed after a while.
name_keys='xdotool key alt+s; sleep 0.3; xdotool key c; sleep 0.5; xdotool type zzz; xdotool key Return;
           sleep 3; xdotool key Return'
material_keys='xdotool key alt+s; sleep 0.3; xdotool key m; sleep 0.5; xdotool type zzz; xdotool key Return;
               sleep 3; xdotool key Return'
# A word found in every recipe: every file is read and every row listed again.
refine_setup='refine_box; put_word じゃがいも'
refine_keys='xdotool key Return'
tree_keys='xdotool key alt+v; sleep 0.3; xdotool key a'

# Runs one step with the class tree open and records its figure; the tree's
# place must change, or stay as it was when $4 is "same".
tree_step() {
    local before after
    before=$(tree_shot)
    echo "$1 $2 $(blocked_during "$3")" >>"$results"
    sleep 1
    after=$(tree_shot)
    if [ "${4:-}" = same ]; then
        [ "$before" = "$after" ] || { echo "$1 at $2: the tree changed" >&2; exit 1; }
    else
        [ "$before" != "$after" ] || { echo "$1 at $2: the tree did not change" >&2; exit 1; }
    fi
}

# The class tree on collection $1: opened (RSS growth while open and once
# closed again), then opened again and the list refilled while it is open.
tree_figures() {
    local rss
    start_program "$1"
    sleep 2
    rss=$(rss_mb)
    tree_step tree_open "$1" "$tree_keys"
    echo "tree_mb_open $1 $(awk "BEGIN { print $(rss_mb) - $rss }")" >>"$results"
    eval "$tree_keys"
    sleep 2
    echo "tree_mb_shut $1 $(awk "BEGIN { print $(rss_mb) - $rss }")" >>"$results"
    eval "$tree_keys"
    sleep 2
    refine_box; put_word じゃがいも
    tree_step tree_same "$1" 'xdotool key Return' same
    refine_box; put_word zzz
    tree_step tree_none "$1" 'xdotool key Return'
    refine_box; put_word ""
    tree_step tree_all "$1" 'xdotool key Return'
    stop_program
}

# The list print preview ("目次印刷ﾌﾟﾚﾋﾞｭｰ" in the File menu): opened, its window
# waited for (it shows once its pages are drawn), left a second, closed.
preview_keys='xdotool key alt+f; sleep 0.3; xdotool key b;
              timeout 20 xdotool search --sync --name "印刷のプレビュー" >/dev/null; sleep 1; xdotool key Escape'

results=$work/results.txt
: >"$results"
for ((r = 1; r <= runs; ++r)); do
    for n in 0 $sizes; do
        has start || continue
        start_program "$n"
        echo "start $n $pong" >>"$results"
        stop_program
        echo "status8 $n $(anchor "$n" Status.txt 8)" >>"$results"
        echo "status1 $n $(anchor "$n" Status.txt 1)" >>"$results"
    done
    for n in $sizes; do
        for action in name material refine; do
            has "$action" || continue
            start_program "$n"
            setup=${action}_setup
            eval "${!setup:-}"
            keys=${action}_keys
            echo "$action $n $(blocked_during "${!keys}")" >>"$results"
            stop_program
        done
        if has tree; then tree_figures "$n"; fi
        if has listpreview; then
            start_program "$n"
            echo "listpreview_rss_before $n $(rss_mb)" >>"$results"
            echo "listpreview $n $(blocked_during "$preview_keys")" >>"$results"
            sleep 1
            echo "listpreview_rss_after $n $(rss_mb)" >>"$results"
            stop_program
        fi
        has name || has material || has refine || continue
        echo "material8 $n $(anchor "$n" 材料.txt 8)" >>"$results"
        echo "material1 $n $(anchor "$n" 材料.txt 1)" >>"$results"
    done
done

# Best and median of each figure; start-up over the empty collection's.
sort -k1,1 -k2,2n -k3,3g "$results" | awk '
    { v[$1 " " $2] = v[$1 " " $2] " " $3 }
    END {
        for (k in v) {
            n = split(substr(v[k], 2), a, " ")
            printf "%-12s %-7s best %8.1f  median %8.1f  (%d runs)\n", substr(k, 1, index(k, " ") - 1),
                   substr(k, index(k, " ") + 1), a[1], a[int((n + 1) / 2)], n
        }
    }' | sort
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
