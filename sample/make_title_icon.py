#!/usr/bin/env python3
"""Writes dist/QTXRes/title.ico: a 16x16 and a 32x32 image (32-bit with alpha and an AND mask, as
every Windows since XP reads them) of a white "V" on a blue rounded square. Run it again only to
change the picture; the result is committed."""

import math
import struct
import sys
from pathlib import Path


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_rounded_square(u, v, low=0.03, high=0.97, radius=0.2):
    cx = min(max(u, low + radius), high - radius)
    cy = min(max(v, low + radius), high - radius)
    return math.hypot(u - cx, v - cy) <= radius


def pixel(u, v):
    """BGRA of the point (u, v) in [0, 1]^2, v downwards."""
    if not inside_rounded_square(u, v):
        return (0, 0, 0, 0)
    arms = min(segment_distance(u, v, 0.24, 0.24, 0.5, 0.78), segment_distance(u, v, 0.76, 0.24, 0.5, 0.78))
    if arms < 0.085:
        return (255, 255, 255, 255)
    return (200, 100, 20, 255)  # blue


def image(size):
    rows = []
    for y in range(size):
        rows.append([pixel((x + 0.5) / size, (y + 0.5) / size) for x in range(size)])
    rows.reverse()  # DIBs are stored bottom-up
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(p) for row in rows for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in rows:
        bits = 0
        for x, p in enumerate(row):
            if p[3] == 0:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    return header + colour + mask


def icon(sizes):
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent / "dist" / "QTXRes" / "title.ico"
    target.write_bytes(icon([16, 32]))
