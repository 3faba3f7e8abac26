#!/usr/bin/env python3
"""Turns a 24-bit BMP (as the Windows window's test driver saves its screenshot) into a PNG.

    bmp_to_png.py IN.bmp OUT.png
"""
import struct
import sys
import zlib

data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert bits == 24, "only 24-bit BMP"
stride = (width * 3 + 3) & ~3
rows = []
for y in range(abs(height)):
    source = y if height < 0 else abs(height) - 1 - y
    line = data[offset + source * stride: offset + source * stride + width * 3]
    rows.append(b"\0" + bytes(line[x + k] for x in range(0, width * 3, 3) for k in (2, 1, 0)))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
open(sys.argv[2], "wb").write(png)
