#!/bin/bash
# Runs bench_imaging and the OpenCV reference side by side and prints our time over the
# reference's for each target (below 1 means faster).
#   bench/imaging/compare.sh [build folder] [megapixels...]   e.g. compare.sh build 12
# BENCH_IMAGING names another bench_imaging program to run instead of the build's;
# PHOTOEDITOR_VECTOR_LEVEL (portable, sse4, avx2, avx512, neon) lowers the engine's level.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../../build"}
shift || true
sizes=("${@:-12 48}")
sizes=(${sizes[@]})
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT

filter=$(printf '|%sMP' "${sizes[@]}")
# The best of five, as the reference takes, so a busy moment on a shared machine counts
# against neither side; each after a warm-up, so renders reuse their buffers as they do
# in use.
"${BENCH_IMAGING:-$build/bench/imaging/bench_imaging}" --benchmark_filter="(${filter:1})" \
    --benchmark_min_warmup_time=0.1 --benchmark_min_time=0.2 --benchmark_repetitions=5 \
    --benchmark_format=csv 2>"$results/context" |
    awk -F, 'NR > 1 && $1 !~ /_(mean|median|stddev|cv)"?$/ {
            gsub(/"/, "", $1); sub(/\/real_time$/, "", $1)
            if (!($1 in best) || $3 < best[$1]) best[$1] = $3
        }
        END { for (name in best) print name, best[name] }' >"$results/ours"
/usr/bin/python3 "$here/opencv_reference.py" "${sizes[@]}" >"$results/opencv"
grep '^vector level' "$results/context" || echo "vector level: unknown"

awk '
    FNR == NR { ours[$1] = $2; next }
    { opencv[$1] = $2 }
    END {
        split("'"${sizes[*]}"'", sizes, " ")
        for (s in sizes) {
            mp = "/" sizes[s] "MP"
            print "== " sizes[s] " MP (ms, ours / reference)"
            row("convolution 61 taps", "Convolution/61taps" mp, opencv["Convolution/61taps" mp], "sepFilter2D")
            row("convolution 61 taps", "Convolution/61taps" mp, opencv["GaussianBlur/61taps" mp], "GaussianBlur")
            row("convolution 303 taps", "Convolution/303taps" mp, opencv["Convolution/303taps" mp], "sepFilter2D")
            row("convolution 303 taps", "Convolution/303taps" mp, opencv["GaussianBlur/303taps" mp], "GaussianBlur")
            row("affine turn 30 degrees", "Filter/CIAffineTransform" mp, opencv["WarpAffine30" mp], "warpAffine")
            row("resize to half", "ResizeHalf" mp, opencv["ResizeHalfArea" mp], "resize INTER_AREA")
            row("resize to 640 wide", "Resize640" mp, opencv["Resize640Area" mp], "resize INTER_AREA")
            row("resize to 640 wide", "Resize640" mp, ours["ContextShrink640" mp], "QImage::scaled smooth")
            row("pixellate", "Filter/CIPixellate" mp, opencv["PixellateResizeDownUp" mp], "resize down+up")
            row("adjustment chain", "AdjustmentChain" mp, ours["Filter/CIColorControls" mp], "our CIColorControls")
            row("adjustment chain", "AdjustmentChain" mp, ours["Filter/CIColorInvert" mp], "our CIColorInvert")
            row("adjustment chain", "AdjustmentChain" mp, ours["Filter/CIPhotoEffectFade" mp], "our CIPhotoEffectFade")
            for (name in ours) {
                if (name ~ "^Filter/" && name ~ mp "$" && name !~ /(Bloom|Gloom|Pixellate|Affine|Vignette)/) {
                    label = name; sub(/^Filter\//, "", label); sub(mp, "", label)
                    row(label, name, opencv["LUT" mp], "LUT")
                    row(label, name, ours["TwoThreadMemcpy" mp], "2-thread memcpy")
                }
            }
            for (name in ours) {
                if (name ~ mp "$" && (name ~ /(GaussBlur|Bloom|Gloom|Vignette)/)) {
                    printf "  %-34s %9.1f\n", name, ours[name]
                }
            }
        }
    }
    function row(label, key, reference, against) {
        if (ours[key] == "" || reference == "") return
        printf "  %-28s %9.1f / %9.1f %-20s = %5.2f\n", label, ours[key], reference, against, ours[key] / reference
    }
' "$results/ours" "$results/opencv"
