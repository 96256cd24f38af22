#!/usr/bin/python3
"""OpenCV's Gaussian blur at the radii of the bloom and gloom effects at their start.

Benchmark-only: needs Debian's python3-opencv. The effects blur by a radius of half a
twentieth of the picture's shorter side, in pixels; this blurs a 4032 x 3024 photo and
the preview copy of it (390 x 292, what the effect tool renders on a phone-sized window)
with a kernel of the same reach (2 * reach + 1 taps, sigma = reach / 3) on two threads,
and prints "name milliseconds", the best of several runs. Compare with
    build-test/bench/tools/bench_tools --benchmark_filter='EffectRender/.*/CL(Bloom|Gloom)'
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "imaging"))
import cv2  # noqa: E402

from opencv_reference import best_ms, photo  # noqa: E402


def main():
    cv2.setNumThreads(2)
    for name, (width, height) in (("preview", (390, 292)), ("12MP", (4032, 3024))):
        image = photo(width, height)
        reach = math.ceil(0.5 * min(width, height) * 0.05)
        taps = 2 * reach + 1
        ms = best_ms(lambda: cv2.GaussianBlur(image, (taps, taps), reach / 3.0,
                                              borderType=cv2.BORDER_CONSTANT))
        print("GaussianBlur/%s/%dtaps %.2f" % (name, taps, ms))


if __name__ == "__main__":
    main()
