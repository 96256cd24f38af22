#!/usr/bin/python3
"""OpenCV timings of the operations bench_imaging measures, on the same picture sizes.

Benchmark-only: needs Debian's python3-opencv (OpenCV 4.6). Prints one line per
operation, "name milliseconds", the best of several runs, for compare.sh.
"""
import math
import sys
import threading
import time

import cv2
import numpy as np

REPEATS = 5


def best_ms(function):
    best = float("inf")
    for _ in range(REPEATS):
        start = time.perf_counter()
        function()
        best = min(best, time.perf_counter() - start)
    return best * 1000


def photo(width, height):
    """Photo-like content: gradients, a hard-edged disc and noise, four channels."""
    v, u = np.mgrid[0:height, 0:width].astype(np.float32)
    u /= width
    v /= height
    r = 0.5 + 0.4 * np.sin(6 * u + 2 * v)
    g = 0.4 + 0.3 * v + 0.2 * np.cos(9 * u * v)
    b = 0.3 + 0.5 * u * (1 - v)
    disc = np.hypot(u - 0.6, v - 0.4) < 0.15
    r[disc], g[disc], b[disc] = 0.95, 0.8, 0.2
    rng = np.random.default_rng(42)
    channels = [np.clip(255 * c + rng.integers(-4, 5, c.shape), 0, 255) for c in (b, g, r)]
    alpha = np.full((height, width), 255.0)
    return np.dstack(channels + [alpha]).astype(np.uint8)


def gaussian_taps(taps):
    half = taps // 2
    sigma = half / 3.0
    return cv2.getGaussianKernel(taps, sigma)


def two_thread_copy(src, dst):
    half = src.shape[0] // 2
    helper = threading.Thread(target=np.copyto, args=(dst[:half], src[:half]))
    helper.start()
    np.copyto(dst[half:], src[half:])
    helper.join()


def measure(megapixels, width, height):
    image = photo(width, height)
    suffix = "/%dMP" % megapixels
    results = {}
    copy = np.empty_like(image)
    results["TwoThreadMemcpy"] = best_ms(lambda: two_thread_copy(image, copy))
    for taps in (61, 303):
        kernel = gaussian_taps(taps)
        results["Convolution/%dtaps" % taps] = best_ms(lambda: cv2.sepFilter2D(
            image, -1, kernel, kernel, dst=copy, borderType=cv2.BORDER_REPLICATE))
        results["GaussianBlur/%dtaps" % taps] = best_ms(lambda: cv2.GaussianBlur(
            image, (taps, taps), (taps // 2) / 3.0, dst=copy, borderType=cv2.BORDER_REPLICATE))
    table = np.array([255 - i for i in range(256)], dtype=np.uint8)
    # Every output below is allocated once, as our renders reuse theirs: a fresh 48 MB
    # buffer a call costs more than most of these operations.
    same = np.empty_like(image)
    results["LUT"] = best_ms(lambda: cv2.LUT(image, table, dst=same))
    angle = 30.0
    matrix = cv2.getRotationMatrix2D((width / 2, height / 2), angle, 1.0)
    cos, sin = abs(matrix[0, 0]), abs(matrix[0, 1])
    out_w, out_h = int(height * sin + width * cos), int(height * cos + width * sin)
    matrix[0, 2] += out_w / 2 - width / 2
    matrix[1, 2] += out_h / 2 - height / 2
    turned = np.empty((out_h, out_w, 4), np.uint8)
    results["WarpAffine30"] = best_ms(lambda: cv2.warpAffine(
        image, matrix, (out_w, out_h), dst=turned, flags=cv2.INTER_LINEAR))
    half = np.empty((height // 2, width // 2, 4), np.uint8)
    results["ResizeHalfArea"] = best_ms(lambda: cv2.resize(
        image, (width // 2, height // 2), dst=half, interpolation=cv2.INTER_AREA))
    small = (640, 640 * height // width)
    shrunk = np.empty((small[1], small[0], 4), np.uint8)
    results["Resize640Area"] = best_ms(
        lambda: cv2.resize(image, small, dst=shrunk, interpolation=cv2.INTER_AREA))
    # Pixellate the fast way: shrink, then blow up with nearest neighbours.
    block = max(1, int(min(width, height) * 0.05))
    tiny = (max(1, width // block), max(1, height // block))
    blocks = np.empty((tiny[1], tiny[0], 4), np.uint8)
    results["PixellateResizeDownUp"] = best_ms(lambda: cv2.resize(
        cv2.resize(image, tiny, dst=blocks, interpolation=cv2.INTER_AREA), (width, height),
        dst=same, interpolation=cv2.INTER_NEAREST))
    for name, ms in results.items():
        print("%s%s %.2f" % (name, suffix, ms))


def main():
    cv2.setNumThreads(2)
    sizes = {12: (4032, 3024), 48: (8064, 6048)}
    wanted = [int(a) for a in sys.argv[1:]] or [12, 48]
    for megapixels in wanted:
        measure(megapixels, *sizes[megapixels])


if __name__ == "__main__":
    main()
