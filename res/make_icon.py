#!/usr/bin/env python3
"""Draws QuorTab's icon (a window with a strip of tabs along its lower edge) into a .ico file
holding 16, 32, 48, 64 and 128 pixel images at 32 bits per pixel, the large ones PNG-compressed
as Windows reads them since Vista (uncompressed they would be most of the program's size).
Deterministic: same bytes on every run."""
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128)
PNG_FROM = 64
SUPERSAMPLE = 4

BODY = (0x2B, 0x6C, 0xC4)      # the window
TITLE = (0x1A, 0x47, 0x8A)     # its title bar
PANE = (0xF4, 0xF7, 0xFB)      # its client area
TAB_ON = (0xF5, 0xA6, 0x23)    # the selected tab
TAB_OFF = (0x9C, 0xB3, 0xD1)   # the other tabs


def in_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def shade(u, v):
    """Colour of the point (u, v) of the unit square, or None where it is transparent."""
    tabs = [(0.08, 0.36, TAB_ON), (0.38, 0.64, TAB_OFF), (0.66, 0.92, TAB_OFF)]
    for left, right, colour in tabs:
        if in_round_rect(u, v, left, 0.70, right, 0.94, 0.06):
            return colour
    if in_round_rect(u, v, 0.04, 0.06, 0.96, 0.72, 0.08):
        if v < 0.20:
            return TITLE
        if 0.10 <= u < 0.90 and 0.24 <= v < 0.66:
            return PANE
        return BODY
    return None


def render(size):
    """Rows bottom-up as BGRA bytes, the order a DIB wants."""
    rows = []
    n = SUPERSAMPLE
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    c = shade((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row += bytes((b // a, g // a, r // a, a * 255 // (n * n)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def png(size):
    """The same pixels as a PNG: rows top-down as RGBA, each behind a zero filter byte."""
    bottom_up = render(size)
    stride = size * 4
    raw = bytearray()
    for y in range(size - 1, -1, -1):
        row = bottom_up[y * stride:(y + 1) * stride]
        raw.append(0)
        for x in range(0, stride, 4):
            b, g, r, a = row[x:x + 4]
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def image(size):
    if size >= PNG_FROM:
        return png(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + render(size) + bytes(mask_row * size)


def main(path):
    images = [image(s) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(SIZES))
    offset = 6 + 16 * len(SIZES)
    for size, data in zip(SIZES, images):
        dim = size if size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
