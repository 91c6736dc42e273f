#!/usr/bin/env python3
"""Draws the setup's icon (a blue tile with a white V cut by a red laser line) into VtSetup.ico.

Run it again after changing the drawing; the build uses the committed VtSetup.ico."""
import struct
import sys


def pixel(x, y, n):
    # Coordinates scaled to a 32-unit grid so both sizes share one drawing.
    u, v = x * 32.0 / n + 0.5 * 32.0 / n, y * 32.0 / n + 0.5 * 32.0 / n
    r = 5.0
    inside = True
    for cx, cy in ((r, r), (32 - r, r), (r, 32 - r), (32 - r, 32 - r)):
        if (u < r or u > 32 - r) and (v < r or v > 32 - r):
            inside = (u - cx) ** 2 + (v - cy) ** 2 <= r * r if abs(u - cx) <= r and abs(v - cy) <= r else inside
    if not (1 <= u <= 31 and 1 <= v <= 31) or not inside:
        return (0, 0, 0, 0)
    # The V: two strokes from the top corners to the bottom middle.
    for x0 in (8.0, 24.0):
        t = (v - 7.0) / 18.0
        if 0.0 <= t <= 1.0:
            sx = x0 + (16.0 - x0) * t
            if abs(u - sx) <= 2.6:
                return (255, 255, 255, 255)
    if abs(v - (u * -0.55 + 27.0)) <= 0.9 and 4 <= u <= 28:
        return (40, 40, 230, 255)  # red in BGR order
    shade = int(150 + 60 * (1 - v / 32.0))
    return (shade, 90, 20, 255)


def image(n):
    # 8 bits per pixel with a palette of only the colours drawn: the same pixels as true colour in a
    # third of the bytes. Transparent pixels are black in the colour image and set in the mask.
    pixels = [[pixel(x, y, n) for x in range(n)] for y in reversed(range(n))]
    palette = sorted({p[:3] for row in pixels for p in row if p[3]} | {(0, 0, 0)})
    index = {c: i for i, c in enumerate(palette)}
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0, 0, 0, 0, len(palette), 0)
    colours = b"".join(bytes(c) + b"\0" for c in palette)
    row_bytes = (n + 3) // 4 * 4
    rows = b"".join(bytes(index[p[:3]] if p[3] else 0 for p in row).ljust(row_bytes, b"\0") for row in pixels)
    mask_row = (n + 31) // 32 * 4
    mask = b""
    for row in pixels:
        bits = 0
        for x, p in enumerate(row):
            if not p[3]:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    return header + colours + rows + mask


sizes = (32, 16)
images = [image(n) for n in sizes]
out = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for n, data in zip(sizes, images):
    out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 8, len(data), offset)
    offset += len(data)
out += b"".join(images)
with open(sys.argv[1] if len(sys.argv) > 1 else "VtSetup.ico", "wb") as f:
    f.write(out)
