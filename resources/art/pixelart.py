"""A tiny pixel canvas for drawing small icons by hand, and a writer of .ico
files (32-bit with alpha, or 4-bit with a 16-colour palette and a mask).

Icons this small look best when every pixel is placed on purpose, so the
canvas has only pixel-exact primitives: points, boxes, lines and masks."""
import struct


def rgba(colour):
    """'#rrggbb' or '#rrggbbaa' -> (r, g, b, a)."""
    h = colour.lstrip("#")
    a = int(h[6:8], 16) if len(h) == 8 else 255
    return int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), a


def mix(c1, c2, t):
    """The colour a fraction t of the way from c1 to c2, as '#rrggbb'."""
    a, b = rgba(c1), rgba(c2)
    return "#%02x%02x%02x" % tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def set(self, x, y, colour):
        """Paints one pixel over what is there ('-' erases it to transparent)."""
        if not (0 <= x < self.size and 0 <= y < self.size):
            return
        if colour == "-":
            self.px[y][x] = (0, 0, 0, 0)
            return
        r, g, b, a = rgba(colour)
        if a == 255:
            self.px[y][x] = (r, g, b, 255)
            return
        br, bg, bb, ba = self.px[y][x]
        out = a + ba * (255 - a) // 255
        if out == 0:
            return
        blend = lambda s, d: (s * a + d * ba * (255 - a) // 255) // out
        self.px[y][x] = (blend(r, br), blend(g, bg), blend(b, bb), out)

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the box between two corners, both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def box(self, x0, y0, x1, y1, outline, inside):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, outline)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        for y in range(y0, y1 + 1):
            t = 0 if y1 == y0 else (y - y0) / (y1 - y0)
            self.fill(x0, y, x1, y, mix(top, bottom, t))

    def line(self, x0, y0, x1, y1, colour):
        """A one-pixel line (Bresenham), both ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def grid(self, x, y, rows, palette):
        """Copies character art: each character a pixel looked up in the
        palette; characters missing from it leave the pixel alone."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in palette:
                    self.set(x + i, y + j, palette[ch])

    def shape(self, inside, outline, fill_top, fill_bottom=None, samples=4):
        """Paints the shape given by inside(x, y) (continuous coordinates): a
        pixel belongs to it when at least half of it is inside."""
        n = self.size
        mask = [[sum(inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                     for i in range(samples) for j in range(samples)) * 2 >= samples * samples
                 for x in range(n)] for y in range(n)]
        self.paint_mask(mask, outline, fill_top, fill_bottom)

    def paint_mask(self, mask, outline, fill_top, fill_bottom=None):
        """Paints the pixels set in the mask (rows of booleans or of '#'):
        those touching the outside in the outline colour, the rest in a
        vertical gradient over the shape's height."""
        n = self.size
        mask = [[bool(v) and v != "." for v in row] for row in mask]
        ys = [y for y in range(n) if any(mask[y])]
        if not ys:
            return
        top, bottom = min(ys), max(ys)
        for y in range(n):
            for x in range(n):
                if not mask[y][x]:
                    continue
                edge = any(not (0 <= x + dx < n and 0 <= y + dy < n) or not mask[y + dy][x + dx]
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if edge:
                    self.set(x, y, outline)
                else:
                    t = 0 if bottom == top else (y - top) / (bottom - top)
                    self.set(x, y, mix(fill_top, fill_bottom or fill_top, t))

    def colours(self):
        return {p[:3] for row in self.px for p in row if p[3]}

    def to_pam(self, scale=1):
        """The picture as a PAM file (RGBA), enlarged by whole pixels."""
        n = self.size * scale
        data = bytearray()
        for y in range(n):
            for x in range(n):
                data += bytes(self.px[y // scale][x // scale])
        head = f"P7\nWIDTH {n}\nHEIGHT {n}\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
        return head.encode() + bytes(data)


def _image(size, bit_count, palette, pixel_bytes, mask_rows):
    """One image of an .ico file: its directory fields and its bytes."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                         len(pixel_bytes) + len(mask_rows), 0, 0, len(palette) // 4, 0)
    return (size, len(palette) // 4, bit_count), header + palette + pixel_bytes + mask_rows


def _ico(images):
    """An .ico file of the images, each given by _image."""
    offset = 6 + 16 * len(images)
    directory, data = b"", b""
    for (size, colours, bit_count), image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours % 256, 0,
                                 1, bit_count, len(image), offset + len(data))
        data += image
    return struct.pack("<HHH", 0, 1, len(images)) + directory + data


def doubled(canvas):
    """The canvas at twice its size, each pixel a 2 x 2 block: the same icon
    for a screen of 200 %, as crisp as the original."""
    big = Canvas(canvas.size * 2)
    for y in range(big.size):
        for x in range(big.size):
            big.px[y][x] = canvas.px[y // 2][x // 2]
    return big


def _mask(canvas):
    """The AND mask: set where the pixel is transparent; rows bottom-up,
    each padded to 32 bits."""
    n = canvas.size
    stride = (n + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(n)):
        row = bytearray(stride)
        for x in range(n):
            if canvas.get(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _canvases(canvas):
    return canvas if isinstance(canvas, (list, tuple)) else [canvas]


def ico32(canvas):
    """An .ico of 32-bit BGRA pixels with alpha, one image per canvas (a
    canvas or a list of them, one per size)."""
    images = []
    for c in _canvases(canvas):
        pixels = bytearray()
        for y in reversed(range(c.size)):
            for x in range(c.size):
                r, g, b, a = c.get(x, y)
                pixels += bytes((b, g, r, a))
        images.append(_image(c.size, 32, b"", bytes(pixels), _mask(c)))
    return _ico(images)


def ico4(canvas, palette):
    """An .ico of 4-bit pixels in the given 16 colours ('#rrggbb'), one image
    per canvas; transparency is kept in the mask only, so pixels must be
    opaque or clear."""
    assert len(palette) == 16
    index = {rgba(c)[:3]: i for i, c in enumerate(palette)}
    table = b"".join(bytes((b, g, r, 0)) for r, g, b, _ in map(rgba, palette))
    images = []
    for c in _canvases(canvas):
        pixels = bytearray()
        for y in reversed(range(c.size)):
            row = bytearray()
            for x in range(0, c.size, 2):
                pair = []
                for p in (c.get(x, y), c.get(x + 1, y)):
                    if p[3] not in (0, 255):
                        raise ValueError(f"pixel with partial alpha at {x},{y}")
                    if p[3] and p[:3] not in index:
                        raise ValueError(f"colour {p[:3]} at {x},{y} is not in the palette")
                    pair.append(index[p[:3]] if p[3] else 0)
                row.append(pair[0] << 4 | pair[1])
            row += bytes(-len(row) % 4)
            pixels += row
        images.append(_image(c.size, 4, table, bytes(pixels), _mask(c)))
    return _ico(images)
