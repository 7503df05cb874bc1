#!/bin/sh
# Benchmark of orbek42-capture: for each size asked, a stretch of FRAMES frames from each scene
# (the countdown, the departure, the fly-around, the gaze, the approach, the finale) encoded to
# H.264 with --stats, then the whole show's time estimated from the scenes' lengths. It prints
# where a frame's time goes and the estimate as a ratio: wall time / the show's 172.28 s, so 1.0
# is real time and 4.0 four times slower. A stretch starts after the frames played to reach it,
# which are drawn small and left out of its time. On a shared machine the wall time says as much
# about the other programs as about ours, so the processor time of the tool and ffmpeg together
# is given too (the start-up and the frames played to reach a stretch taken out as measured on
# their own), and what it makes of the show on this machine's cores alone, all of them kept busy.
# It needs /usr/bin/time (Debian package time).
#   tests/capture/bench_capture.sh [BUILD_BIN] [SIZE:SUPERSAMPLE ...]
# e.g. tests/capture/bench_capture.sh build/bin 640x480:1 1920x1440:2 3840x2160:1
set -eu
bin=${1:-build/bin}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- 640x480:1 1920x1440:2 3840x2160:1
frames=${FRAMES:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each scene's first frame and length, from the tool's own timeline.
/usr/bin/time -f '%U %S' -o "$work/time" \
    "$bin/orbek42-capture" --archive "$bin/data.dat" --timeline >"$work/timeline" 2>/dev/null
scenes=$(awk -F'[ :]+' '/frames$/ && !/total/ {print $(NF-1)}' "$work/timeline")
show=$(awk '/^total/ {print $4}' "$work/timeline")
played=$(awk '/^total/ {print $2}' "$work/timeline")
/usr/bin/time -f '%U %S' -o "$work/start" \
    "$bin/orbek42-capture" --archive "$bin/data.dat" --timeline --max-frames 1 >/dev/null 2>&1
startUp=$(awk '{print $1 + $2}' "$work/start")  # CPU s to unpack, load and start
playing=$(awk -v n="$played" -v s="$startUp" '{print ($1 + $2 - s) / n}' "$work/time")
cores=$(nproc)

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); $cores cores; $frames frames a scene"
for config in "$@"; do
    size=${config%%:*}
    factor=${config##*:}
    start=0
    estimate=0
    processor=0
    printf '\n%s, supersample %s (ms per frame)\n' "$size" "$factor"
    printf '%-8s %7s %9s %7s %7s %9s %7s %7s %7s\n' scene render read-back filter ffmpeg wait wall fps cpu
    index=0
    for length in $scenes; do
        index=$((index + 1))
        take=$((length < frames ? length : frames))
        from=$((start + (length - take) / 2))
        to=$((from + take - 1))
        /usr/bin/time -f '%U %S' -o "$work/time" "$bin/orbek42-capture" --archive "$bin/data.dat" --video "$work/bench.mp4" \
            --size "$size" --supersample "$factor" --from "$from" --to "$to" --stats \
            >"$work/stats" 2>/dev/null
        line=$(grep '^per captured frame' "$work/stats")
        set -- $(echo "$line" | sed 's/[^0-9. ]//g')
        # render, read-back, waiting, filter, to ffmpeg, PNG, wall, fps
        cpu=$(awk -v skip="$from" -v each="$playing" -v n="$take" -v s="$startUp" \
            '{print int(1000 * ($1 + $2 - s - skip * each) / n)}' "$work/time")
        printf '%-8s %7s %9s %7s %7s %9s %7s %7s %7s\n' "$index" "$1" "$2" "$4" "$5" "$3" "$7" "$8" \
            "$cpu"
        estimate=$(awk "BEGIN {print $estimate + $length * $7 / 1000}")
        processor=$(awk "BEGIN {print $processor + $length * $cpu / 1000}")
        start=$((start + length))
    done
    awk "BEGIN {printf \"whole show estimated: %.0f s for %.2f s of show, %.2fx real time\\n\", \
        $estimate, $show, $estimate / $show}"
    awk "BEGIN {printf \"processor time: %.0f s, %.2fx real time on $cores cores kept busy\\n\", \
        $processor, $processor / $cores / $show}"
done
