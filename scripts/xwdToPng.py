#!/usr/bin/env python3
"""Turns an xwd screenshot into a PNG, for looking at.

A ZPixmap of 8, 16, 24 or 32 bits a pixel, in either byte order: true colour read through the
header's colour masks (Xvfb gives 32 bits a pixel at depth 24, other servers 24 or 16), an 8-bit
image through the colour map that follows the header.
"""
import struct
import sys
import zlib

ZPIXMAP = 2
MSB_FIRST = 1
TRUE_COLOR, DIRECT_COLOR = 4, 5


def channel(mask):
    """A function taking a pixel value to the 0-255 level of the colour under `mask`."""
    if mask == 0:
        return lambda value: 0
    shift = (mask & -mask).bit_length() - 1
    top = mask >> shift
    return lambda value: ((value & mask) >> shift) * 255 // top


def pixels_to_rgb(data):
    """Width, height and the rows of (r, g, b) of an xwd file's bytes."""
    if len(data) < 100:
        raise ValueError("not an xwd file: %d bytes" % len(data))
    header = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format = header[0], header[1], header[2]
    width, height, byte_order = header[4], header[5], header[7]
    bits_per_pixel, bytes_per_line, visual_class = header[11], header[12], header[13]
    masks, ncolors = header[14:17], header[19]
    if version != 7 or pixmap_format != ZPIXMAP:
        raise ValueError("not a ZPixmap xwd file (version %d, format %d)" % (version, pixmap_format))
    if bits_per_pixel not in (8, 16, 24, 32):
        raise ValueError("%d bits a pixel are not read" % bits_per_pixel)
    colours = {}
    for i in range(ncolors):
        pixel, red, green, blue = struct.unpack(
            ">IHHH", data[header_size + i * 12:header_size + i * 12 + 10])
        colours[pixel] = (red >> 8, green >> 8, blue >> 8)
    true_colour = visual_class in (TRUE_COLOR, DIRECT_COLOR)
    red, green, blue = (channel(mask) for mask in masks)
    size = bits_per_pixel // 8
    order = "big" if byte_order == MSB_FIRST else "little"
    start = header_size + ncolors * 12
    if len(data) < start + height * bytes_per_line:
        raise ValueError("the xwd file ends early")
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * size]
        row = []
        for x in range(width):
            value = int.from_bytes(line[x * size:(x + 1) * size], order)
            if true_colour:
                row.append((red(value), green(value), blue(value)))
            else:
                row.append(colours.get(value, (0, 0, 0)))
        rows.append(row)
    return width, height, rows


def png_bytes(width, height, rows):
    raw = b"".join(b"\0" + bytes(level for rgb in row for level in rgb) for row in rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xffffffff))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main(source, target):
    with open(source, "rb") as xwd:
        png = png_bytes(*pixels_to_rgb(xwd.read()))
    with open(target, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2])
    except (ValueError, IndexError, OSError) as error:
        sys.exit("xwdToPng: %s" % error)
