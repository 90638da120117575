#!/usr/bin/env python3
"""Draws the program's small icons, pixel by pixel, into resources/icons/:

  pane_*.ico   16 x 16 (and 32 x 32, each pixel doubled, for a screen of
               200 %), 32-bit with alpha: the task pane's items, in the
               order of their resource ids (101..111):
               view, settings, add_to_screen_saver, screen_saver, print,
               folder, save, delete, clipboard, desktop, email
  file_*.ico   32 x 32 (and 64 x 64, doubled), the 16 colours of the
               standard VGA palette: the
               pictures the thumbnail strip shows for files that are not
               images, in the order of their resource ids (201..209):
               document, pdf, presentation, notepad, calendar, contact,
               envelope, wordprocessor, spreadsheet

With --preview DIR it also writes enlarged PNG sheets of both sets (made with
ImageMagick's convert from the .ico files, which checks that they decode)."""
import math
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pixelart import Canvas, doubled, ico32, ico4, mix  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "icons"))

# ---------------------------------------------------------------- 16 x 16

INK = "#3b4452"          # outlines
STEEL_HI, STEEL_LO = "#e3e8ee", "#9aa5b3"
SKY_HI, SKY_LO = "#bfe3ff", "#5fa8ec"
GRASS_HI, GRASS_LO = "#7ccf52", "#2f8a2a"


def landscape(c, x0, y0, x1, y1, sky=(SKY_HI, SKY_LO), hill=(GRASS_HI, GRASS_LO), sun="#ffd43b"):
    """A tiny photograph: sky, sun and a hill."""
    c.vgradient(x0, y0, x1, y1, *sky)
    h = y1 - y0 + 1
    w = x1 - x0 + 1
    for x in range(x0, x1 + 1):
        t = (x - x0) / max(1, w - 1)
        top = y0 + round(h * (0.62 - 0.22 * math.sin(t * math.pi)))
        c.vgradient(x, top, x, y1, *hill)
    sx = x1 - max(1, w // 4)
    c.fill(sx, y0 + 1, sx + 1, y0 + 2 if h > 5 else y0 + 1, sun)


def monitor(c, screen):
    """A flat screen on a stand; screen(c, x0, y0, x1, y1) paints the glass."""
    c.box(0, 1, 15, 11, INK, "#d5dbe3")
    c.fill(1, 2, 14, 2, "#f4f6f9")
    screen(c, 2, 3, 13, 9)
    c.fill(6, 12, 9, 12, "#7d8896")
    c.box(3, 13, 12, 14, INK, "#b3bcc8")
    c.fill(4, 13, 11, 13, "#dde2e8")


def plus_badge(c, x, y):
    c.grid(x, y, [
        "..ooo..",
        "..oGo..",
        "oooGooo",
        "oGGGGGo",
        "oooGooo",
        "..oGo..",
        "..ooo..",
    ], {"o": "#1b6a1f", "G": "#3fbf47"})
    c.set(x + 3, y + 2, "#7fe487")


def pane_view(c):
    # Four thumbnails: photographs by day and at dusk.
    for x, y in ((0, 0), (9, 0), (0, 9), (9, 9)):
        c.frame(x, y, x + 6, y + 6, "#56657a")
    dusk = dict(sky=("#ffcf70", "#f07a3a"), hill=("#8b4a8c", "#4d2a5e"), sun="#fff6c2")
    landscape(c, 1, 1, 5, 5)
    landscape(c, 10, 1, 14, 5, **dusk)
    landscape(c, 1, 10, 5, 14, **dusk)
    landscape(c, 10, 10, 14, 14)


def pane_settings(c):
    c.paint_mask([
        "......####......",
        "..##..####..##..",
        ".####.####.####.",
        ".##############.",
        "..############..",
        "...##########...",
        "#######..#######",
        "######....######",
        "######....######",
        "#######..#######",
        "...##########...",
        "..############..",
        ".##############.",
        ".####.####.####.",
        "..##..####..##..",
        "......####......",
    ], "#3d4654", "#e4e9ef", "#6c7888")
    # Light from the upper left: a glint on the rim, shade inside the hole.
    for x, y in ((2, 3), (3, 3), (7, 1), (1, 7), (3, 4)):
        c.set(x, y, "#fafcfe")
    for x, y in ((9, 6), (10, 7), (10, 8)):
        c.set(x, y, "#5b6676")


def pane_add_to_screen_saver(c):
    monitor(c, landscape)
    plus_badge(c, 9, 9)


def pane_screen_saver(c):
    monitor(c, landscape)


def pane_desktop(c):
    def wallpaper(c, x0, y0, x1, y1):
        c.vgradient(x0, y0, x1, y1 - 1, "#3e9bd8", "#1d5fb4")
        c.fill(x0 + 6, y0 + 3, x1, y1 - 1, "#2f8a4a")
        c.fill(x0 + 7, y0 + 2, x1 - 2, y0 + 2, "#2f8a4a")
        for ix, iy in ((x0 + 1, y0 + 1), (x0 + 1, y0 + 3)):
            c.fill(ix, iy, ix + 1, iy, "#ffffff")
        c.fill(x0, y1, x1, y1, "#243f8f")
        c.fill(x0, y1, x0 + 2, y1, "#3cb043")

    monitor(c, wallpaper)


def pane_print(c):
    # Paper going in at the back.
    c.box(4, 0, 11, 5, INK, "#ffffff")
    c.fill(5, 2, 10, 2, "#b7c0cc")
    # The body.
    c.box(0, 5, 15, 12, INK, "#c7ced8")
    c.fill(1, 6, 14, 6, "#eef1f5")
    c.fill(1, 11, 14, 11, "#98a3b2")
    c.set(13, 8, "#36c23e")
    # The printed page coming out at the front.
    c.box(3, 10, 12, 15, INK, "#ffffff")
    for row in (12, 14):
        c.fill(5, row, 10, row, "#5f7fb8")
    c.fill(2, 10, 13, 10, INK)


def pane_folder(c):
    edge = "#a5740f"
    c.box(0, 2, 6, 4, edge, "#f3c244")
    c.box(0, 3, 15, 14, edge, "#e8b030")
    c.set(0, 2, "-")
    c.set(6, 2, "-")
    c.fill(1, 2, 5, 2, edge)
    # The front flap, lighter and a step lower.
    c.box(0, 5, 15, 14, edge, "#ffd867")
    c.vgradient(1, 6, 14, 13, "#ffe58f", "#f5c23f")


def pane_save(c):
    c.box(1, 1, 14, 14, "#1e3f7a", "#3a6fc7")
    c.set(14, 1, "-")
    c.set(13, 2, "#1e3f7a")
    c.fill(2, 2, 12, 2, "#5b8ee0")
    # The metal shutter with its window.
    c.box(4, 1, 11, 5, "#1e3f7a", "#d9dee6")
    c.fill(8, 2, 9, 4, "#1e3f7a")
    # The label.
    c.box(3, 8, 12, 14, "#1e3f7a", "#ffffff")
    for row in (10, 12):
        c.fill(5, row, 10, row, "#9fb4d6")


def pane_delete(c):
    def cross(x, y):
        u, v = x - 8, y - 8
        d = min(abs(u - v), abs(u + v)) / math.sqrt(2)
        return d < 1.9 and max(abs(u), abs(v)) < 6.6

    c.shape(cross, "#8b1111", "#ff6b5e", "#c81e1e")


def pane_clipboard(c):
    c.box(1, 1, 14, 15, "#6b4520", "#b98145")
    c.fill(2, 2, 13, 2, "#d39b5e")
    c.box(3, 3, 12, 14, "#8a8f96", "#ffffff")
    for row in (6, 8, 10, 12):
        c.fill(5, row, 10 if row != 12 else 8, row, "#8fa2bf")
    # The clip.
    c.box(5, 0, 10, 3, "#4a525e", "#c9d0d9")
    c.fill(7, 0, 8, 0, "#4a525e")
    c.set(6, 1, "#f1f4f7")


def pane_email(c):
    edge = "#4f5b6b"
    c.box(0, 3, 15, 12, edge, "#fbfbf6")
    # The folds of the back, then the flap over them.
    c.line(1, 11, 6, 7, "#c9ced6")
    c.line(14, 11, 9, 7, "#c9ced6")
    for x in range(1, 15):
        depth = min(x, 15 - x)
        c.fill(x, 4, x, 3 + min(depth, 5), "#dde3eb")
    c.line(1, 4, 6, 9, edge)
    c.line(14, 4, 9, 9, edge)
    c.fill(7, 9, 8, 9, edge)


PANE = [  # in resource id order, 101..111
    ("view", pane_view), ("settings", pane_settings),
    ("add_to_screen_saver", pane_add_to_screen_saver), ("screen_saver", pane_screen_saver),
    ("print", pane_print), ("folder", pane_folder), ("save", pane_save), ("delete", pane_delete),
    ("clipboard", pane_clipboard), ("desktop", pane_desktop), ("email", pane_email),
]

# ---------------------------------------------------------------- 32 x 32, 16 colours

VGA = ["#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#c0c0c0",
       "#808080", "#ff0000", "#00ff00", "#ffff00", "#0000ff", "#ff00ff", "#00ffff", "#ffffff"]
K, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = VGA[:8]
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = VGA[8:]

# 3 x 5 capitals for the few letters the pictures carry.
LETTERS = {
    "P": ["XX.", "X.X", "XX.", "X..", "X.."],
    "D": ["XX.", "X.X", "X.X", "X.X", "XX."],
    "F": ["XXX", "X..", "XX.", "X..", "X.."],
}


def text(c, x, y, word, colour):
    for ch in word:
        c.grid(x, y, LETTERS[ch], {"X": colour})
        x += 4


def page(c, x0=6, x1=25, y0=1, y1=30, ear=6):
    """A sheet with a folded top-right corner and a shadow."""
    c.fill(x0 + 1, y1 + 1, x1 + 1, y1 + 1, GRAY)
    c.fill(x1 + 1, y0 + ear + 1, x1 + 1, y1 + 1, GRAY)
    c.box(x0, y0, x1, y1, K, WHITE)
    for i in range(ear):
        c.fill(x1 - ear + 1 + i, y0, x1, y0 + i, "-")
    c.line(x1 - ear, y0, x1, y0 + ear, K)
    # The fold itself.
    c.fill(x1 - ear, y0 + 1, x1 - ear, y0 + ear, K)
    c.fill(x1 - ear, y0 + ear, x1, y0 + ear, K)
    for i in range(1, ear):
        c.fill(x1 - ear + 1, y0 + i, x1 - ear + i - 1, y0 + i, SILVER)


def lines(c, rows, x0, x1, colour, short_every=4):
    for n, y in enumerate(rows):
        end = x1 - 4 if (n + 1) % short_every == 0 else x1
        c.fill(x0, y, end, y, colour)


def file_document(c):
    page(c)
    lines(c, [5, 7], 9, 17, GRAY)
    lines(c, range(10, 28, 2), 9, 22, GRAY)


def file_pdf(c):
    page(c)
    lines(c, [5, 7], 9, 17, GRAY)
    lines(c, [10, 12], 9, 22, GRAY)
    c.fill(3, 15, 23, 23, RED)
    c.fill(4, 24, 24, 24, MAROON)
    c.fill(24, 16, 24, 24, MAROON)
    text(c, 8, 17, "PDF", WHITE)
    lines(c, [26, 28], 9, 22, GRAY)


def file_presentation(c):
    page(c)
    c.fill(8, 3, 18, 5, MAROON)
    c.fill(9, 4, 16, 4, WHITE)
    # A pie chart.
    cx, cy, r = 15.5, 15.5, 6.2
    for y in range(8, 24):
        for x in range(8, 24):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            if math.hypot(dx, dy) > r:
                continue
            a = math.degrees(math.atan2(dy, dx)) % 360
            c.set(x, y, RED if a < 120 else BLUE if a < 250 else YELLOW)
    for y in range(8, 24):
        for x in range(8, 24):
            if c.get(x, y)[:3] in ((255, 0, 0), (0, 0, 255), (255, 255, 0)):
                if any(c.get(x + dx, y + dy)[:3] == (255, 255, 255)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    c.set(x, y, K)
    for y in (25, 27):
        c.fill(9, y, 10, y, MAROON)
        c.fill(12, y, 22 if y == 25 else 19, y, GRAY)


def file_notepad(c):
    c.fill(6, 30, 27, 30, GRAY)
    c.fill(27, 5, 27, 30, GRAY)
    # Yellow ruled paper under an olive binding.
    c.box(5, 4, 26, 29, K, YELLOW)
    c.fill(6, 5, 25, 7, OLIVE)
    c.fill(6, 8, 25, 8, K)
    for x in range(8, 25, 4):  # the spiral
        c.box(x, 2, x + 1, 6, K, SILVER)
        c.set(x, 2, "-")
        c.set(x + 1, 2, K)
        c.set(x, 3, K)
    for y in range(12, 29, 3):
        c.fill(6, y, 25, y, TEAL)
    c.fill(9, 9, 9, 28, RED)


def file_calendar(c):
    c.fill(5, 30, 28, 30, GRAY)
    c.fill(28, 6, 28, 30, GRAY)
    c.box(3, 4, 27, 29, K, WHITE)
    c.fill(4, 5, 26, 10, RED)
    c.fill(4, 11, 26, 11, K)
    for x in (8, 21):
        c.box(x, 2, x + 1, 7, K, SILVER)
    # Days: a five-column grid with one day marked.
    for row in range(4):
        for col in range(5):
            x, y = 5 + col * 4, 14 + row * 4
            c.fill(x + 1, y, x + 3, y + 2, SILVER)
    c.fill(14, 22, 16, 24, BLUE)
    c.frame(13, 21, 17, 25, NAVY)


def file_contact(c):
    c.fill(3, 27, 30, 27, GRAY)
    c.fill(30, 8, 30, 27, GRAY)
    c.box(1, 6, 29, 26, K, WHITE)
    c.fill(2, 7, 28, 10, NAVY)
    c.fill(4, 8, 10, 9, WHITE)
    # The person.
    c.box(3, 12, 13, 24, GRAY, SILVER)
    c.grid(4, 13, [
        "...XXX...",
        "..XXXXX..",
        "..XXXXX..",
        "..XXXXX..",
        "...XXX...",
        "....X....",
        ".XXXXXXX.",
        "XXXXXXXXX",
        "XXXXXXXXX",
        "XXXXXXXXX",
        "XXXXXXXXX",
    ], {"X": NAVY})
    for y, end in ((13, 26), (16, 24), (19, 26), (22, 21)):
        c.fill(16, y, end, y, GRAY if y > 13 else K)


def file_envelope(c):
    c.fill(2, 26, 31, 26, GRAY)
    c.fill(31, 8, 31, 26, GRAY)
    c.box(0, 7, 30, 25, K, WHITE)
    c.line(1, 24, 12, 15, GRAY)
    c.line(29, 24, 18, 15, GRAY)
    for x in range(1, 30):
        depth = min(x, 30 - x)
        c.fill(x, 8, x, 7 + min(depth, 9) * 11 // 16, SILVER)
    c.line(1, 8, 14, 17, K)
    c.line(29, 8, 16, 17, K)
    c.set(15, 17, K)
    c.box(23, 9, 28, 14, RED, RED)
    c.fill(24, 10, 27, 13, WHITE)
    c.fill(25, 11, 26, 12, BLUE)


def file_wordprocessor(c):
    page(c)
    c.fill(9, 4, 17, 5, BLUE)
    # A large initial, then justified lines in two paragraphs.
    c.grid(9, 9, [
        "..XX..",
        ".XXXX.",
        "XX..XX",
        "XX..XX",
        "XXXXXX",
        "XX..XX",
        "XX..XX",
    ], {"X": NAVY})
    for y in (9, 11, 13, 15):
        c.fill(17, y, 22, y, K)
    lines(c, [17, 19], 9, 22, K, short_every=2)
    lines(c, [22, 24, 26, 28], 9, 22, K)


def file_spreadsheet(c):
    page(c)
    x0, x1, y0, y1 = 8, 23, 8, 27
    c.fill(x0, y0, x1, y0 + 3, GREEN)
    c.fill(x0, y0, x0 + 3, y1, GREEN)
    for y in range(y0, y1 + 1, 4):
        c.fill(x0, y, x1, y, SILVER if y > y0 else GREEN)
    for x in (x0 + 4, x0 + 10, x1):
        c.fill(x, y0, x, y1, SILVER)
    c.fill(x0, y1, x1, y1, SILVER)
    c.frame(x0, y0, x1, y1, GREEN)
    for y in range(y0 + 6, y1 - 1, 4):
        c.fill(x0 + 6, y, x0 + 8, y, K)
        c.fill(x0 + 12, y, x0 + 14, y, K)
    c.fill(x0 + 11, y1 - 3, x1 - 1, y1 - 1, LIME)
    c.fill(x0 + 12, y1 - 2, x0 + 14, y1 - 2, K)
    c.fill(9, 3, 16, 5, GREEN)


FILES = [  # in resource id order, 201..209
    ("document", file_document), ("pdf", file_pdf), ("presentation", file_presentation),
    ("notepad", file_notepad), ("calendar", file_calendar), ("contact", file_contact),
    ("envelope", file_envelope), ("wordprocessor", file_wordprocessor),
    ("spreadsheet", file_spreadsheet),
]


def preview(paths, size, scale, out):
    """An enlarged sheet of the icons on a light background, with a grid."""
    with tempfile.TemporaryDirectory() as tmp:
        tiles = []
        for i, path in enumerate(paths):
            tile = os.path.join(tmp, f"{i}.png")
            subprocess.run(["convert", path, "-background", "#f0f0f0", "-flatten",
                            "-filter", "point", "-resize", f"{size * scale}x{size * scale}",
                            "-bordercolor", "#f0f0f0", "-border", str(scale), tile], check=True)
            tiles.append(tile)
        subprocess.run(["convert", *tiles, "+append", out], check=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    written = {"pane": [], "file": []}
    for name, draw in PANE:
        c = Canvas(16)
        draw(c)
        path = os.path.join(OUT, f"pane_{name}.ico")
        with open(path, "wb") as f:
            f.write(ico32([c, doubled(c)]))
        written["pane"].append(path)
    for name, draw in FILES:
        c = Canvas(32)
        draw(c)
        path = os.path.join(OUT, f"file_{name}.ico")
        with open(path, "wb") as f:
            f.write(ico4([c, doubled(c)], VGA))
        written["file"].append(path)
    if len(sys.argv) == 3 and sys.argv[1] == "--preview":
        os.makedirs(sys.argv[2], exist_ok=True)
        preview(written["pane"], 16, 8, os.path.join(sys.argv[2], "pane_icons.png"))
        preview(written["file"], 32, 4, os.path.join(sys.argv[2], "file_icons.png"))


if __name__ == "__main__":
    main()
