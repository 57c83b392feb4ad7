#!/usr/bin/python3
"""Draws the wizard's page picture: a braille display seen from above, with a row of
braille cells, on a calm blue gradient. 200 x 300 pixels, 24-bit RGB PNG, standard library only.

Usage: tools/draw-page-picture.py resources/Quor12-40.PNG
"""
import struct
import sys
import zlib

W, H = 200, 300
SS = 4  # supersampling per axis, for smooth edges


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def background(x, y):
    return lerp((28, 73, 132), (120, 170, 220), y / (H - 1))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


# The shapes in drawing order: (test, colour). Later shapes cover earlier ones.
shapes = []
# The display's body and its reading surface.
shapes.append((rounded_rect(22, 168, 178, 262, 14), (46, 46, 52)))
shapes.append((rounded_rect(30, 178, 170, 216, 6), (232, 228, 214)))
# Cursor routing keys above the cells, and the navigation keys below.
for i in range(6):
    x = 38 + i * 22
    shapes.append((rounded_rect(x, 182, x + 14, 187, 2), (150, 150, 156)))
for i in range(4):
    x = 40 + i * 32
    shapes.append((rounded_rect(x, 232, x + 24, 248, 5), (92, 96, 110)))
# Six braille cells of six dots: the letters q, u, o, r, o, l (dots numbered 1-2-3 down, 4-5-6 down).
letters = [(1, 2, 3, 4, 5), (1, 3, 6), (1, 3, 5), (1, 2, 3, 5), (1, 3, 5), (1, 2, 3)]
for i, dots in enumerate(letters):
    cx0 = 41 + i * 22
    for d in range(1, 7):
        col, row = (0, d - 1) if d <= 3 else (1, d - 4)
        raised = d in dots
        colour = (30, 30, 34) if raised else (205, 200, 186)
        shapes.append((circle(cx0 + col * 8, 193 + row * 8, 3.0 if raised else 1.6), colour))
# A large braille cell above the display, the picture's emblem: dots 1-2-4-5-6 lit.
for d in range(1, 7):
    col, row = (0, d - 1) if d <= 3 else (1, d - 4)
    cx, cy = 76 + col * 48, 48 + row * 36
    shapes.append((circle(cx, cy, 15), (255, 255, 255) if d in (1, 2, 4, 5, 6) else (70, 110, 170)))


def pixel(x, y):
    acc = [0, 0, 0]
    for sy in range(SS):
        for sx in range(SS):
            px, py = x + (sx + 0.5) / SS, y + (sy + 0.5) / SS
            c = background(px, py)
            for test, colour in shapes:
                if test(px, py):
                    c = colour
            for k in range(3):
                acc[k] += c[k]
    return bytes(v // (SS * SS) for v in acc)


def png(path):
    raw = b"".join(b"\x00" + b"".join(pixel(x, y) for x in range(W)) for y in range(H))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    png(sys.argv[1] if len(sys.argv) > 1 else "Quor12-40.PNG")
