#!/usr/bin/env python3
"""Writes the data of the tutorial's game (docs/tutorial.md), all of it our
own and drawn or computed here: the pictures and the mouse cursor (PNG), the
robot's and the door's animation definitions (.lum), the walk-path graphs of
the room and the hall (.ptf), the bell's sound (WAV), the table of best
walkers and the menu's items. The
generated files are committed, so playing the game needs no Python; run this
again after changing it."""
import math
import os
import struct
import wave
import zlib

ROOT = os.path.dirname(os.path.abspath(__file__))
CONFIGS = os.path.join(ROOT, "configs")
PICTURES = os.path.join(ROOT, "pictures")
SOUNDS = os.path.join(ROOT, "sounds")
DATA = os.path.join(ROOT, "data")

CLEAR = (0, 0, 0, 0)


def write_png(path, width, height, pixel):
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
    with open(path, "wb") as f:
        f.write(png)


def write_text(path, text):
    with open(path, "w", newline="\n") as f:
        f.write(text)


# ---------------------------------------------------------------- the room

FLOOR_TOP = 400


def room(x, y):
    # A green wall with a darker panel along the bottom, over a grey stone
    # floor of tiles that get smaller towards the back.
    if y < FLOOR_TOP:
        if y >= FLOOR_TOP - 40:
            return (40, 80, 60, 255)
        return (60, 120, 90, 255) if (x // 40) % 2 else (64, 126, 94, 255)
    row = int(math.log((y - FLOOR_TOP) / 8.0 + 1.0) * 4)
    width = 50 + (y - FLOOR_TOP) // 2
    if (y - FLOOR_TOP) % 25 == 0 or ((x - 400) % width) == 0:
        return (95, 95, 100, 255)
    shade = 130 + 8 * (row % 2)
    return (shade, shade, shade + 6, 255)


def hall(x, y):
    # The second room: a brick wall over a floor of planks that run into
    # the distance, narrower towards the back.
    if y < FLOOR_TOP:
        if y >= FLOOR_TOP - 30:
            return (70, 45, 35, 255)
        course = y // 20
        if y % 20 == 0 or (x + 25 * (course % 2)) % 50 == 0:
            return (120, 110, 100, 255)
        return (150, 70, 55, 255) if (x // 50 + course) % 3 else (140, 64, 50, 255)
    depth = (y - FLOOR_TOP) / 200.0
    spread = 0.5 + 0.5 * depth
    across = (x - 400) / (60 * spread)
    plank = math.floor(across)
    if math.floor(across * 8) % 8 == 0:
        return (70, 45, 30, 255)
    shade = 150 + 12 * (plank % 3)
    return (shade, int(shade * 0.7), int(shade * 0.45), 255)


def door(stage):
    """The door to the hall, 80 x 150 in its frame: stage 0 shut, 1 ajar,
    2 open, showing the dark hall behind it."""
    def pixel(x, y):
        if x < 6 or x >= 74 or y < 6:
            return (90, 60, 30, 255)  # the frame
        leaf = 68 - 30 * stage  # the width the door's leaf still covers
        if x - 6 < leaf:
            if stage == 0 and 56 <= x < 62 and 75 <= y < 85:
                return (230, 200, 80, 255)  # the handle
            return (165, 110, 60, 255) if (x // 8) % 2 else (150, 98, 52, 255)
        return (25, 20, 30, 255)  # the dark behind
    return pixel


def hall_door(x, y):
    # The door back to the room, open, seen from the far end of the hall.
    if x < 4 or x >= 44 or y < 4:
        return (90, 60, 30, 255)
    return (64, 126, 94, 255) if y > 70 else (60, 120, 90, 255)  # the room's green beyond


def key(x, y):
    # A golden key lying on the floor: a ring, a shaft and two teeth.
    dx, dy = x - 9, y - 10
    if 25 <= dx * dx + dy * dy <= 64:
        return (230, 190, 60, 255)
    if 17 <= x < 38 and 8 <= y < 12:
        return (230, 190, 60, 255)
    if (28 <= x < 31 or 34 <= x < 37) and 12 <= y < 17:
        return (210, 170, 50, 255)
    return CLEAR


def board(x, y):
    # The notice board behind the table: cork with a wooden frame.
    if x < 6 or y < 6 or x >= 214 or y >= 134:
        return (110, 70, 35, 255)
    return (150, 110, 70, 255) if (x * 7 + y * 13) % 11 else (135, 95, 60, 255)


def button(face, edge):
    # A bell on a rounded plate: the button that rings.
    def pixel(x, y):
        if x < 3 or y < 3 or x >= 57 or y >= 57:
            return edge
        dx, dy = x - 30, y - 28
        if 14 <= y <= 40 and abs(dx) <= 4 + (y - 14) * 0.45:
            return (240, 200, 60, 255)  # the bell
        if 40 < y <= 43 and abs(dx) <= 18:
            return (200, 160, 40, 255)  # its rim
        if dx * dx + (dy - 18) ** 2 <= 9:
            return (200, 160, 40, 255)  # the clapper
        return face
    return pixel


def arrow_inside(x, y):
    # The arrow's head, then its tail going down and to the right.
    if 0 <= y < 13:
        return 0 <= x <= y * 0.7
    return 13 <= y < 19 and y - 12 <= x + 1 <= y - 8


def arrow(x, y):
    # The mouse cursor: a white arrow with a black edge, its tip at (0, 0).
    if not arrow_inside(x, y):
        return CLEAR
    edge = any(not arrow_inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    return (0, 0, 0, 255) if edge else (255, 255, 255, 255)


def icon(x, y):
    # The window's icon: the robot's head.
    if 6 <= x < 26 and 6 <= y < 26:
        if 9 <= y < 15 and 9 <= x < 23:
            return (60, 200, 255, 255)
        return (170, 175, 185, 255)
    if 14 <= x < 18 and 1 <= y < 6:
        return (230, 60, 60, 255)
    return CLEAR


# ---------------------------------------------------------------- the robot

ROBOT_W, ROBOT_H = 32, 56


def robot(step):
    """A little robot facing right; step moves the legs: 0 standing, 1 and
    2 the two strides."""
    legs = {0: (0, 0), 1: (-5, 5), 2: (5, -5)}[step]

    def pixel(x, y):
        if 13 <= x < 17 and 2 <= y < 8:
            return (230, 60, 60, 255)  # the aerial
        if 8 <= x < 26 and 8 <= y < 22:
            if 11 <= y < 16 and 17 <= x < 25:
                return (60, 200, 255, 255)  # the visor, looking right
            return (170, 175, 185, 255)  # the head
        if 6 <= x < 26 and 23 <= y < 42:
            return (120, 125, 140, 255)  # the body
        for leg, shift in ((10, legs[0]), (18, legs[1])):
            lx = leg + shift * (y - 42) // 14
            if 42 <= y < 56 and lx <= x < lx + 5:
                return (70, 70, 85, 255)
        return CLEAR
    return pixel


def mirrored(pixel):
    return lambda x, y: pixel(ROBOT_W - 1 - x, y)


DIRECTIONS = ["uu", "ru", "rr", "rd", "dd", "ld", "ll", "lu"]


def robot_definition():
    # Six pictures: three steps facing right, the same mirrored. Actions
    # "go" + direction walk (steps 1, 0, 2, 0), "stand" + direction stand;
    # the hot spot lies between the feet, so the position is where it
    # stands.
    files = ["pictures/robot_%s%d.png" % (side, step) for side in "rl" for step in range(3)]
    text = "<delay>\t3\n<files>\t%d\n" % len(files)
    for i, name in enumerate(files):
        text += "\t<< %s >>\t%s\n" % (chr(ord("0") + i), name)
    for d in DIRECTIONS:
        text += "<loop>\tgo%s\n" % d
    for d in DIRECTIONS:
        side = 3 if d[0] == "l" else 0
        for prefix, steps in (("go", [1, 0, 2, 0]), ("stand", [0])):
            text += "<action>\t%s%s\n" % (prefix, d)
            for j, step in enumerate(steps):
                text += "\t<f>\t%d\t%s%s%d\t%d\t%d\n" % (side + step, prefix, d, j, -ROBOT_W // 2, -ROBOT_H)
    return text + "</action>\n"


def door_definition():
    # Three pictures; the hot spot is the middle of the door's foot, so the
    # position is where it stands on the floor.
    files = ["pictures/door%d.png" % stage for stage in range(3)]
    text = "<delay>\t4\n<files>\t%d\n" % len(files)
    for i, name in enumerate(files):
        text += "\t<< %d >>\t%s\n" % (i, name)
    for name, stages in (("closed", [0]), ("opening", [1, 2]), ("open", [2])):
        text += "<action>\t%s\n" % name
        for j, stage in enumerate(stages):
            text += "\t<f>\t%d\t%s%d\t%d\t%d\n" % (stage, name, j, -40, -150)
    return text + "</action>\n"


# ---------------------------------------------------------------- the walk paths

# Two rows of points over the floor, joined along each row and across, as
# the walk-path editor saves them when the rows are clicked from left to
# right and then joined. The hall's back row lies at depth -0.5, where the
# robot is drawn at half its size.
BACK_ROW = [(100, 440), (250, 440), (400, 440), (550, 440), (700, 440)]
FRONT_ROW = [(100, 540), (250, 540), (400, 540), (550, 540), (700, 540)]
HALL_BACK = [(150, 430), (330, 430), (510, 430), (690, 430)]
HALL_FRONT = [(150, 560), (330, 560), (510, 560), (690, 560)]


def rows_graph(back, front, back_depth=0.0):
    vertices = [(x, y, back_depth) for x, y in back] + [(x, y, 0.0) for x, y in front]
    n = len(back)
    pairs = []
    for row in (0, n):
        pairs += [(row + i, row + i + 1) for i in range(n - 1)]
    pairs += [(i, n + i) for i in range(n)]
    edges = {i: [] for i in range(len(vertices))}
    for a, b in pairs:
        edges[a].append(b)
        edges[b].append(a)
    text = "<>\n\t<graph> %d\n\t</graph>\n\t<vertex> \n" % len(vertices)
    for i, (x, y, z) in enumerate(vertices):
        text += "\t\t<v> %d %d %d %f %d\n\t\t</v>\n" % (i, x, y, z, 0)
    text += "\t</vertex>\n\t<edge> \n"
    for a in range(len(vertices)):
        for b in edges[a]:
            text += "\t\t<e> %d %d\n\t\t</e>\n" % (a, b)
    return text + "\t</edge>\n</>\n"


# ---------------------------------------------------------------- the bell

def write_ding(path):
    # 0.4 s of a bell: two sines with a quick attack and a long decay,
    # 22050 Hz mono 16-bit.
    rate, length = 22050, 0.4
    samples = bytearray()
    for i in range(int(rate * length)):
        t = i / float(rate)
        envelope = min(1.0, i / 100.0) * math.exp(-7.0 * t)
        v = math.sin(2 * math.pi * 880 * t) + 0.4 * math.sin(2 * math.pi * 2217 * t)
        samples += struct.pack("<h", int(9000 * envelope * v))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(samples))


# ---------------------------------------------------------------- the table and the menu

SCORES = """# The best walkers: a name and the steps they took.
Ada 120
Bo 95
Cy 60
"""

# The menu's entries: the direction its items follow each other, the side
# where sub-items would open, then one item per entry.
MENU = """<menu>
\t<submenu> bottom
\t</submenu>
\t<submenu> right
\t</submenu>
\t<submenu> Pause clock
\t</submenu>
\t<submenu> Go on
\t</submenu>
\t<submenu> Reset clock
\t</submenu>
</menu>
"""


if __name__ == "__main__":
    for folder in (CONFIGS, PICTURES, SOUNDS, DATA):
        os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(CONFIGS, "stdarrow.png"), 16, 20, arrow)
    write_png(os.path.join(CONFIGS, "icon.png"), 32, 32, icon)
    write_png(os.path.join(PICTURES, "room.png"), 800, 600, room)
    write_png(os.path.join(PICTURES, "hall.png"), 800, 600, hall)
    write_png(os.path.join(PICTURES, "hall_door.png"), 48, 90, hall_door)
    write_png(os.path.join(PICTURES, "key.png"), 40, 20, key)
    for stage in range(3):
        write_png(os.path.join(PICTURES, "door%d.png" % stage), 80, 150, door(stage))
    write_png(os.path.join(PICTURES, "board.png"), 220, 140, board)
    write_png(os.path.join(PICTURES, "bell_up.png"), 60, 60, button((60, 70, 140, 255), (170, 180, 240, 255)))
    write_png(os.path.join(PICTURES, "bell_over.png"), 60, 60, button((90, 100, 190, 255), (230, 230, 255, 255)))
    write_png(os.path.join(PICTURES, "bell_down.png"), 60, 60, button((40, 45, 100, 255), (230, 230, 255, 255)))
    for step in range(3):
        write_png(os.path.join(PICTURES, "robot_r%d.png" % step), ROBOT_W, ROBOT_H, robot(step))
        write_png(os.path.join(PICTURES, "robot_l%d.png" % step), ROBOT_W, ROBOT_H, mirrored(robot(step)))
    write_text(os.path.join(DATA, "robot.lum"), robot_definition())
    write_text(os.path.join(DATA, "door.lum"), door_definition())
    write_text(os.path.join(DATA, "room.ptf"), rows_graph(BACK_ROW, FRONT_ROW))
    write_text(os.path.join(DATA, "hall.ptf"), rows_graph(HALL_BACK, HALL_FRONT, -0.5))
    write_text(os.path.join(DATA, "scores.txt"), SCORES)
    write_text(os.path.join(DATA, "menu.db"), MENU)
    write_ding(os.path.join(SOUNDS, "ding.wav"))
