#!/usr/bin/env python3
"""Draws Vorlane's two icons and writes them as .ico files, plus the menu mark as C++ bytes.

Outputs, relative to the repository root:
  resources/vorlane.ico     program, window and tray icon: one 128 x 128 image, 32 bpp
  resources/mark.ico        menu mark beside "autostart": one 16 x 16 image, 32 bpp
  src/desktop/mark_icon.cpp the bytes of resources/mark.ico, compiled into the program

Every image is a BMP-style .ico entry: a BITMAPINFOHEADER of double height, bottom-up BGRA pixels with
straight (not premultiplied) alpha, then a 1-bpp AND mask whose set bits mark fully transparent pixels.

The pictures are signed-distance shapes whose edge coverage gives the anti-aliasing. Only +, *, / and
sqrt are used, all exactly rounded in IEEE doubles, so the output is byte-for-byte the same everywhere.

Usage: python3 scripts/make-icons.py [repository root]   (default: the parent of this script's folder)
"""

import math
import pathlib
import struct
import sys

# ---------------------------------------------------------------- shapes (distance < 0 inside) ---


def circle(cx, cy, r):
    return lambda x, y: math.sqrt((x - cx) ** 2 + (y - cy) ** 2) - r


def rounded_rect(cx, cy, half_w, half_h, radius):
    def dist(x, y):
        qx = abs(x - cx) - half_w + radius
        qy = abs(y - cy) - half_h + radius
        outside = math.sqrt(max(qx, 0.0) ** 2 + max(qy, 0.0) ** 2)
        return outside + min(max(qx, qy), 0.0) - radius
    return dist


def segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    return math.sqrt((x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2)


def stroke(points, width):
    """A polyline of the given width with round caps and joins."""
    half = width / 2.0
    pairs = list(zip(points, points[1:]))

    def dist(x, y):
        return min(segment_distance(x, y, a[0], a[1], b[0], b[1]) for a, b in pairs) - half
    return dist


def ring(shape, inset, width):
    """A band of the given width that runs `inset` pixels inside the outline of `shape`."""
    middle = inset + width / 2.0
    return lambda x, y: abs(shape(x, y) + middle) - width / 2.0


def subtract(shape, cut):
    return lambda x, y: max(shape(x, y), -cut(x, y))


def coverage(distance, softness=1.0):
    """Fraction of a pixel covered by a shape whose outline is `distance` away from its centre."""
    return min(max(0.5 - distance / softness, 0.0), 1.0)


# ---------------------------------------------------------------- canvas ---


class Canvas:
    """Premultiplied RGBA floats, row 0 at the top."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def paint(self, shape, colour, opacity=1.0, softness=1.0):
        """Composites `colour` (an (r, g, b) tuple or a function of x, y giving one) over the canvas
        wherever `shape` covers it."""
        for row in range(self.size):
            for col in range(self.size):
                x, y = col + 0.5, row + 0.5
                alpha = coverage(shape(x, y), softness) * opacity
                if alpha <= 0.0:
                    continue
                r, g, b = colour(x, y) if callable(colour) else colour
                p = self.pixels[row * self.size + col]
                keep = 1.0 - alpha
                p[0] = r * alpha + p[0] * keep
                p[1] = g * alpha + p[1] * keep
                p[2] = b * alpha + p[2] * keep
                p[3] = alpha + p[3] * keep

    def straight_bgra_rows(self):
        """Rows top to bottom of (b, g, r, a) byte tuples, colour divided back out of the alpha."""
        rows = []
        for row in range(self.size):
            out = []
            for col in range(self.size):
                r, g, b, a = self.pixels[row * self.size + col]
                alpha = round(min(max(a, 0.0), 1.0) * 255)
                if alpha == 0:
                    out.append((0, 0, 0, 0))
                    continue
                def channel(v):
                    return min(max(round(v / a * 255), 0), 255)
                out.append((channel(b), channel(g), channel(r), alpha))
            rows.append(out)
        return rows


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# ---------------------------------------------------------------- .ico encoding ---


def ico_image(rows):
    """The image block of one .ico entry: header, bottom-up BGRA, AND mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        for b, g, r, a in row:
            xor += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for col, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_file(rows):
    image = ico_image(rows)
    size = len(rows)
    dimension = 0 if size >= 256 else size
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


# ---------------------------------------------------------------- the program icon ---

NIGHT_TOP = hex_colour("2f55a0")
NIGHT_BOTTOM = hex_colour("0c1a44")
BEZEL = hex_colour("7d9ee0")
MOON = hex_colour("f7e9a8")
MOON_SHADE = hex_colour("e6c870")
STAR = hex_colour("fdfbf0")
FACE = hex_colour("f4f6fb")
FACE_RIM = hex_colour("0a1638")
HAND = hex_colour("16285c")
ACCENT = hex_colour("e2574c")


def draw_program_icon():
    canvas = Canvas(128)
    screen = rounded_rect(64.0, 62.0, 58.0, 56.0, 22.0)

    # A soft shadow below the screen lifts it off light and dark taskbars alike.
    canvas.paint(rounded_rect(64.0, 66.0, 57.0, 55.0, 22.0), (0.0, 0.0, 0.0), opacity=0.45, softness=6.0)

    def night(x, y):
        return mix(NIGHT_TOP, NIGHT_BOTTOM, (y - 6.0) / 112.0)
    canvas.paint(screen, night)
    canvas.paint(ring(screen, 1.0, 1.6), BEZEL, opacity=0.55)

    for cx, cy, r in ((98.0, 24.0, 2.2), (110.0, 44.0, 1.5), (84.0, 38.0, 1.3), (24.0, 100.0, 1.5),
                      (40.0, 20.0, 1.4), (108.0, 66.0, 1.2)):
        canvas.paint(circle(cx, cy, r), STAR, opacity=0.9)

    moon_disc = circle(52.0, 56.0, 34.0)
    moon_cut = circle(70.0, 42.0, 29.0)
    canvas.paint(moon_disc, MOON, opacity=0.12, softness=10.0)  # the faint glow of the unlit disc
    crescent = subtract(moon_disc, moon_cut)

    def moon_colour(x, y):
        # Bright along the lit outer rim, warmer towards the shadowed inner edge.
        return mix(MOON, MOON_SHADE, 1.0 - moon_cut(x, y) / 14.0)
    canvas.paint(crescent, moon_colour)

    # The clock: a rest is due when the hands come round.
    cx, cy = 90.0, 88.0
    canvas.paint(circle(cx, cy, 23.0), FACE_RIM, opacity=0.9)
    canvas.paint(circle(cx, cy, 19.5), FACE)
    for tx, ty in ((0.0, -1.0), (1.0, 0.0), (0.0, 1.0), (-1.0, 0.0)):
        canvas.paint(stroke([(cx + tx * 14.5, cy + ty * 14.5), (cx + tx * 16.5, cy + ty * 16.5)], 2.2), HAND)
    canvas.paint(stroke([(cx, cy), (cx, cy - 13.0)], 3.6), HAND)
    canvas.paint(stroke([(cx, cy), (cx + 9.0, cy + 5.0)], 3.6), HAND)
    canvas.paint(circle(cx, cy, 2.6), ACCENT)
    return canvas


# ---------------------------------------------------------------- the menu mark ---


def draw_menu_mark():
    canvas = Canvas(16)

    def frame(x, y):
        col, row = math.floor(x), math.floor(y)
        on_edge = (col in (1, 14) and 1 <= row <= 14) or (row in (1, 14) and 1 <= col <= 14)
        return -1.0 if on_edge else 1.0
    canvas.paint(frame, hex_colour("404040"))
    canvas.paint(stroke([(4.0, 8.2), (6.8, 11.0), (12.0, 4.6)], 2.1), hex_colour("101010"))
    return canvas


# ---------------------------------------------------------------- output ---


def mark_icon_cpp(data):
    lines = [
        "// Generated by scripts/make-icons.py from its drawing of the menu mark; edit the script and run it",
        "// again rather than editing these bytes. They are resources/mark.ico byte for byte.",
        '#include "desktop/mark_icon.h"',
        "",
        "namespace vorlane {",
        "",
        f"const std::array<std::uint8_t, {len(data)}> markIcon = {{",
    ]
    for start in range(0, len(data), 16):
        chunk = data[start:start + 16]
        lines.append("    " + ", ".join(f"0x{b:02x}" for b in chunk) + ",")
    lines += ["};", "", "}  // namespace vorlane", ""]
    return "\n".join(lines)


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    program_icon = ico_file(draw_program_icon().straight_bgra_rows())
    mark_icon = ico_file(draw_menu_mark().straight_bgra_rows())
    assert len(program_icon) == 67646, len(program_icon)
    assert len(mark_icon) == 1150, len(mark_icon)

    for folder in ("resources", "src/desktop"):
        (root / folder).mkdir(parents=True, exist_ok=True)
    (root / "resources" / "vorlane.ico").write_bytes(program_icon)
    (root / "resources" / "mark.ico").write_bytes(mark_icon)
    (root / "src" / "desktop" / "mark_icon.cpp").write_bytes(mark_icon_cpp(mark_icon).encode("ascii"))


if __name__ == "__main__":
    main()
