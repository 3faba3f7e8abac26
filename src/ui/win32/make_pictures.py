#!/usr/bin/env python3
"""Turns the window's PNG pictures into what the Windows window is built from:
sorvane.ico (the icon at 48 pixels in the classic form and at 256 as PNG) and
pictures.h (the two decorative pictures as RGBA pixels, drawn with gdi32 alone).

    make_pictures.py RESOURCES_FOLDER ICON_FILE HEADER_FILE
"""
import struct
import sys
import zlib
from pathlib import Path


def read_png(path):
    """(width, height, RGBA rows) of an 8-bit RGBA, non-interlaced PNG."""
    data = path.read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", f"{path}: not a PNG"
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert (depth, colour, interlace) == (8, 6, 0), f"{path}: only 8-bit RGBA without interlace"
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw, stride, rows, previous = zlib.decompress(idat), width * 4, [], bytearray(width * 4)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - 4] if x >= 4 else 0
            b = previous[x]
            c = previous[x - 4] if x >= 4 else 0
            if kind == 1: line[x] = (line[x] + a) & 255
            elif kind == 2: line[x] = (line[x] + b) & 255
            elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def classic_icon_image(width, height, rows):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, an empty AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(row[x + k] for x in range(0, width * 4, 4) for k in (2, 1, 0, 3)) for row in reversed(rows))
    mask = bytes(((width + 31) // 32) * 4 * height)
    return header + pixels + mask


def write_icon(resources, icon):
    images = [(48, classic_icon_image(*read_png(resources / "icon.png"))),
              (256, (resources / "sorvane-256.png").read_bytes())]
    offset = 6 + 16 * len(images)
    directory, bodies = b"", b""
    for size, body in images:
        side = size % 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(body), offset + len(bodies))
        bodies += body
    icon.write_bytes(struct.pack("<HHH", 0, 1, len(images)) + directory + bodies)


def write_pictures(resources, header):
    text = ["// Made by make_pictures.py from the PNG pictures of src/ui/resources.",
            "#pragma once", "", "namespace sorvane::ui::win32 {", "",
            "struct Picture {", "  int width;", "  int height;", "  const unsigned char* rgba;  // rows top-down", "};", ""]
    for name in ("image1", "image2"):
        width, height, rows = read_png(resources / f"{name}.png")
        pixels = b"".join(rows)
        numbers = ",".join(str(v) for v in pixels)
        text.append(f"inline constexpr unsigned char k{name.capitalize()}Rgba[] = {{{numbers}}};")
        text.append(f"inline constexpr Picture k{name.capitalize()}{{{width}, {height}, k{name.capitalize()}Rgba}};")
        text.append("")
    text += ["}  // namespace sorvane::ui::win32", ""]
    header.write_text("\n".join(text))


if __name__ == "__main__":
    resources, icon, header = (Path(a) for a in sys.argv[1:4])
    for made in (icon, header):
        made.parent.mkdir(parents=True, exist_ok=True)
    write_icon(resources, icon)
    write_pictures(resources, header)
