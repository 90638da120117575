#!/usr/bin/env python3
"""Draws the program icon (16, 32 and 48 pixels) with ImageMagick into
resources/quillwave.ico: a blue tile with a wave and an arrow coming in."""
import os, subprocess, tempfile

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "..", "quillwave.ico")

def draw(s, path):
    sw = max(1.5, s / 11)
    subprocess.run([
        "convert", "-size", f"{s}x{s}", "xc:none",
        "-fill", "#1f6fd1", "-stroke", "#0b3f86", "-strokewidth", "1",
        "-draw", f"roundrectangle 0.5,0.5 {s-1.5},{s-1.5} {s/5},{s/5}",
        "-fill", "none", "-stroke", "white", "-strokewidth", str(sw),
        "-draw", f"bezier {s*.14},{s*.72} {s*.36},{s*.50} {s*.54},{s*.96} {s*.86},{s*.66}",
        "-fill", "white", "-stroke", "none",
        "-draw", f"polygon {s*.5},{s*.56} {s*.76},{s*.32} {s*.24},{s*.32}",
        "-stroke", "white", "-strokewidth", str(sw),
        "-draw", f"line {s*.5},{s*.10} {s*.5},{s*.36}",
        path], check=True)

with tempfile.TemporaryDirectory() as tmp:
    pngs = []
    for s in (16, 32, 48):
        p = os.path.join(tmp, f"{s}.png")
        draw(s, p)
        pngs.append(p)
    subprocess.run(["convert", *pngs, out], check=True)
