#!/usr/bin/env python3
"""Writes the demo's data, all of it our own and drawn or computed here:
the pictures (PNG), the walker's animation definition (.lum), the room's
walk-path graph (.ptf) and the click blip (WAV). The generated files are
committed, so running the demo needs no Python; run this again after
changing it."""
import math
import os
import struct
import wave
import zlib

ROOT = os.path.dirname(os.path.abspath(__file__))
PICTURES = os.path.join(ROOT, "pictures")
SOUNDS = os.path.join(ROOT, "sounds")
DATA = os.path.join(ROOT, "data")

CLEAR = (0, 0, 0, 0)


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
    with open(os.path.join(PICTURES, name), "wb") as f:
        f.write(png)


def write_text(folder, name, text):
    with open(os.path.join(folder, name), "w", newline="\n") as f:
        f.write(text)


# ---------------------------------------------------------------- the room

FLOOR_TOP = 420
WINDOW = (90, 80, 250, 230)   # left, top, right, bottom
CRATE = (345, 474, 455, 530)  # where crate.png stands on the floor


def room(x, y):
    # A night-blue wall with a window, over a brown floor with a skirting.
    if y < FLOOR_TOP:
        l, t, r, b = WINDOW
        if l <= x < r and t <= y < b:
            if x < l + 6 or x >= r - 6 or y < t + 6 or y >= b - 6 or abs(x - (l + r) // 2) < 3:
                return (150, 110, 60, 255)  # the frame and its bar
            if (x, y) in ((120, 110), (200, 130), (150, 190), (215, 200)):
                return (255, 255, 220, 255)  # stars
            if (x - 205) ** 2 + (y - 115) ** 2 < 14 ** 2:
                return (235, 235, 200, 255)  # the moon
            return (5, 10, 40, 255)
        return (20, 30, 90, 255)
    if y < FLOOR_TOP + 6:
        return (70, 45, 20, 255)
    return (110, 70, 30, 255)


def lamp(x, y):
    # A yellow disc with an orange rim; transparent outside.
    d2 = (x - 31.5) ** 2 + (y - 31.5) ** 2
    if d2 > 31 * 31:
        return CLEAR
    if d2 > 26 * 26:
        return (240, 120, 0, 255)
    return (250, 230, 40, 255)


def marker(x, y):
    # A red ring, 16 x 16, hollow in the middle.
    edge = x < 3 or y < 3 or x > 12 or y > 12
    return (230, 20, 20, 255) if edge else CLEAR


def crate(x, y):
    # A wooden crate with a darker rim and a cross brace.
    w, h = CRATE[2] - CRATE[0], CRATE[3] - CRATE[1]
    if x < 4 or y < 4 or x >= w - 4 or y >= h - 4:
        return (90, 55, 20, 255)
    if abs(x * h - y * w) < 2 * w or abs((w - x) * h - y * w) < 2 * w:
        return (120, 80, 35, 255)
    return (170, 120, 60, 255)


def button(face, edge):
    def pixel(x, y):
        if x < 2 or y < 2 or x >= 126 or y >= 30:
            return edge
        return face
    return pixel


# ---------------------------------------------------------------- the walker

WALKER_W, WALKER_H = 32, 64
WALKER_SCALE = 24.0 / WALKER_W  # the figure is drawn on a 24 x 48 grid


def near_segment(px, py, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) <= width / 2.0


def walker(feet, hand):
    """A little figure facing right: feet = (back foot x, front foot x),
    hand = the x of the swinging hand."""
    back_foot, front_foot = feet

    def pixel(x, y):
        px, py = (x + 0.5) * WALKER_SCALE, (y + 0.5) * WALKER_SCALE
        x, y = int(px), int(py)
        if near_segment(px, py, 12, 31, front_foot, 46, 4):
            return (30, 30, 110, 255)      # the front leg
        if near_segment(px, py, 12, 31, back_foot, 46, 4):
            return (20, 20, 70, 255)       # the back leg
        if near_segment(px, py, 12, 17, hand, 28, 3):
            return (240, 200, 160, 255)    # the arm
        if 7 <= x <= 16 and 15 <= y <= 32:
            return (40, 160, 80, 255)      # the shirt
        if (px - 12) ** 2 + (py - 8) ** 2 <= 36:
            if x == 15 and y == 7:
                return (20, 20, 20, 255)   # the eye, looking right
            if py < 5 or px < 9:
                return (90, 50, 20, 255)   # the hair
            return (240, 200, 160, 255)
        return CLEAR
    return pixel


def mirrored(pixel):
    return lambda x, y: pixel(WALKER_W - 1 - x, y)


WALKER_POSES = {"0": walker((11, 13), 12), "1": walker((6, 19), 17), "2": walker((8, 16), 7)}
DIRECTIONS = ["uu", "ru", "rr", "rd", "dd", "ld", "ll", "lu"]


def walker_definition():
    # Six pictures: three poses facing right, the same mirrored. Actions
    # "go" + direction walk (poses 1, 0, 2, 0), "stand" + direction stand;
    # the hot spot lies between the feet, so the position is where it stands.
    files = ["pictures/walker_%s%s.png" % (side, pose) for side in "rl" for pose in "012"]
    text = "<delay>\t3\n<files>\t%d\n" % len(files)
    for i, name in enumerate(files):
        text += "\t<< %s >>\t%s\n" % (chr(ord("0") + i), name)
    for d in DIRECTIONS:
        text += "<loop>\tgo%s\n" % d
    for d in DIRECTIONS:
        side = 3 if d[0] == "l" else 0
        frames = [("go", [1, 0, 2, 0]), ("stand", [0])]
        for prefix, poses in frames:
            text += "<action>\t%s%s\n" % (prefix, d)
            for j, pose in enumerate(poses):
                text += "\t<f>\t%d\t%s%s%d\t%d\t%d\n" % (side + pose, prefix, d, j, -WALKER_W // 2, -WALKER_H)
    return text + "</action>\n"


# ---------------------------------------------------------------- the walk paths

def crosses_crate(a, b, margin=14):
    l, t, r, bt = CRATE
    for i in range(101):
        x = a[0] + (b[0] - a[0]) * i / 100.0
        y = a[1] + (b[1] - a[1]) * i / 100.0
        if l - margin <= x <= r + margin and t - margin <= y <= bt + margin:
            return True
    return False


def room_graph():
    # A grid over the floor without the crate's place; the rows further back
    # lie deeper, so the walker shrinks there.
    columns = [60, 180, 300, 400, 500, 620, 740]
    rows = [(455, -0.35), (515, -0.15), (575, 0.0)]
    vertices = []
    for y, depth in rows:
        for x in columns:
            if not crosses_crate((x, y), (x, y)):
                vertices.append((x, y, depth))
    edges = []
    for i, a in enumerate(vertices):
        for j, b in enumerate(vertices):
            if i == j or abs(a[0] - b[0]) > 120 or abs(a[1] - b[1]) > 60:
                continue
            if not crosses_crate(a, b):
                edges.append((i, j))
    text = "<>\n\t<graph> %d\n\t</graph>\n\t<vertex> \n" % len(vertices)
    for i, (x, y, depth) in enumerate(vertices):
        text += "\t\t<v> %d %d %d %f %d\n\t\t</v>\n" % (i, x, y, depth, 0)
    text += "\t</vertex>\n\t<edge> \n"
    for i, j in edges:
        text += "\t\t<e> %d %d\n\t\t</e>\n" % (i, j)
    return text + "\t</edge>\n</>\n"


# ---------------------------------------------------------------- the blip

def write_blip(name):
    # 0.12 s of a falling sine, 22050 Hz mono 16-bit, with a soft attack
    # and decay so it does not click.
    rate, length = 22050, 0.12
    n = int(rate * length)
    samples = bytearray()
    phase = 0.0
    for i in range(n):
        t = i / float(rate)
        freq = 1200.0 - 500.0 * t / length
        phase += 2 * math.pi * freq / rate
        envelope = min(1.0, i / 200.0) * (1.0 - t / length) ** 2
        samples += struct.pack("<h", int(12000 * envelope * math.sin(phase)))
    with wave.open(os.path.join(SOUNDS, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(samples))


if __name__ == "__main__":
    for folder in (PICTURES, SOUNDS, DATA):
        os.makedirs(folder, exist_ok=True)
    write_png("room.png", 800, 600, room)
    write_png("lamp.png", 64, 64, lamp)
    write_png("marker.png", 16, 16, marker)
    write_png("crate.png", CRATE[2] - CRATE[0], CRATE[3] - CRATE[1], crate)
    write_png("button_up.png", 128, 32, button((60, 70, 140, 255), (170, 180, 240, 255)))
    write_png("button_over.png", 128, 32, button((90, 100, 190, 255), (230, 230, 255, 255)))
    write_png("button_down.png", 128, 32, button((40, 45, 100, 255), (230, 230, 255, 255)))
    for pose, pixel in WALKER_POSES.items():
        write_png("walker_r%s.png" % pose, WALKER_W, WALKER_H, pixel)
        write_png("walker_l%s.png" % pose, WALKER_W, WALKER_H, mirrored(pixel))
    write_text(DATA, "walker.lum", walker_definition())
    write_text(DATA, "room.ptf", room_graph())
    write_blip("blip.wav")
