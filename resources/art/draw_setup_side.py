#!/usr/bin/env python3
"""Draws the picture on the left of the setup program's first and last pages
(164 x 314 pixels, the size those pages show) with ImageMagick into
resources/setup-side.bmp: the program icon's wave and incoming arrow, large,
in white on the icon's blue."""
import os, subprocess

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "..", "setup-side.bmp")

w, h = 164, 314
s = 120                     # the motif's square, as in the icon
x0, y0 = (w - s) / 2, 70    # its top-left corner
sw = s / 11

def p(fx, fy):
    return f"{x0 + s * fx:.1f},{y0 + s * fy:.1f}"

subprocess.run([
    "convert", "-size", f"{w}x{h}", "gradient:#2a7de0-#0b3f86",
    "-fill", "none", "-stroke", "white", "-strokewidth", f"{sw:.1f}",
    "-draw", f"bezier {p(.14, .72)} {p(.36, .50)} {p(.54, .96)} {p(.86, .66)}",
    "-fill", "white", "-stroke", "none",
    "-draw", f"polygon {p(.5, .56)} {p(.76, .32)} {p(.24, .32)}",
    "-stroke", "white", "-strokewidth", f"{sw:.1f}",
    "-draw", f"line {p(.5, .10)} {p(.5, .36)}",
    "-type", "TrueColor", f"BMP3:{out}"], check=True)
