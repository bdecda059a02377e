#!/usr/bin/env python3
"""Writes the demo's pictures (our own, drawn here) as PNG files."""
import os
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pictures")


def write_png(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a); written as 8-bit RGBA."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(png)


def room(x, y):
    # A night-blue wall over a brown floor.
    if y < 420:
        return (20, 30, 90, 255)
    return (110, 70, 30, 255)


def lamp(x, y):
    # A yellow disc with an orange rim; transparent outside.
    d2 = (x - 31.5) ** 2 + (y - 31.5) ** 2
    if d2 > 31 * 31:
        return (0, 0, 0, 0)
    if d2 > 26 * 26:
        return (240, 120, 0, 255)
    return (250, 230, 40, 255)


def marker(x, y):
    # A red ring, 16 x 16, hollow in the middle.
    edge = x < 3 or y < 3 or x > 12 or y > 12
    return (230, 20, 20, 255) if edge else (0, 0, 0, 0)


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    write_png("room.png", 800, 600, room)
    write_png("lamp.png", 64, 64, lamp)
    write_png("marker.png", 16, 16, marker)
