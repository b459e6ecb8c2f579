#!/bin/bash
# Runs every fuzz target for the given seconds each (default 40) from small
# seeds, and prints each target's iteration count and any finding.
#   fuzz/run_fuzzers.sh [seconds] [build dir] [target...]
set -u
seconds=${1:-40}
build=${2:-build-fuzz}
shift 2 2>/dev/null
targets=${*:-sjis status_file ini_file column_table material find_career jpeg bmp exchange_file}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seed() { mkdir -p "$work/$1"; printf '%b' "$2" >"$work/$1/seed$3"; }
seed sjis '\x00\x05abc\x82\r\n\x82\x60\x82\x61' 1
seed sjis '\x01\x02\x8d\x73\x81\x60\xff\xfe\xb1' 2
seed status_file 'Kind=\x8e\xe5\x8d\xd8\r\nIcon=5\r\nDate=2024/01/02\r\n' 1
seed ini_file '[FORM]\r\nLEFT=10\r\nTOP=$7FFFFFFF\r\n[VIEW]\r\nVIEWONLY=1\r\n' 1
seed column_table '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<Document>\r\n   <List>\r\n      <Column>\r\n         <Caption>x</Caption>\r\n         <Width>70</Width>\r\n         <Use>True</Use>\r\n      </Column>\r\n   </List>\r\n</Document>\r\n' 1
seed material '\x81\x9a\x96\xec\x8d\xd8\r\n\x82\xbd\x82\xdc\x82\xb2 \x97\x91\r\n' 1
seed find_career '\x82\xbd\x82\xdc\x82\xb2\r\n\r\nsalt\r\n' 1
mkdir -p "$work/jpeg" "$work/bmp" "$work/exchange_file"
python3 - "$work" <<'PY'
import sys, struct, zlib
work = sys.argv[1]
# A 2x2 24-bit BMP.
row = b'\x00\x00\xff\xff\xff\xff' + b'\x00\x00'
pixels = row * 2
header = b'BM' + struct.pack('<IHHI', 54 + len(pixels), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, 2, 2, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open(work + '/bmp/seed1', 'wb').write(header + info + pixels)
# An exchange file with its photo in the place the program writes it.
import base64
photo = base64.b64encode(b'\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xd9')
rpk = (b'<?xml version="1.0" encoding="Shift_JIS"?>\r\n<root><Status><Icon>3</Icon><Kind>\x8e\xe5\x8d\xd8</Kind></Status>'
       b'<Material>a&amp;b</Material><Method>m</Method><Picture>' + photo + b'</Picture><Comment>c</Comment></root>\r\n')
open(work + '/exchange_file/seed1', 'wb').write(rpk)
PY
find "$here/.." -path '*/tests/*' -name '*.jpg' -size -20k 2>/dev/null | head -3 | while read -r f; do cp "$f" "$work/jpeg/"; done
printf '\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xd9' >"$work/jpeg/seed0"
for target in $targets; do
    log="$work/$target.log"
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/$target-" "$work/$target" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$target: runs=${runs:-?} exit=$status"
    if [ $status -ne 0 ]; then
        grep -m5 -E 'ERROR|fuzz check failed|SUMMARY' "$log"
        ls "$work"/"$target"-* 2>/dev/null | while read -r a; do cp "$a" "$here/"; echo "kept $(basename "$a")"; done
    fi
done
