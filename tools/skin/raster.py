"""A tiny anti-aliased raster library for the default skin's pictures.

Shapes are signed distance functions (negative inside, in pixels); they are
turned into coverage masks and composited onto an RGB canvas with a colour or
a gradient. Only the Python standard library is used.
"""

import math
import struct
import zlib
from array import array


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def hex_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


# --- shapes: each returns a function (x, y) -> signed distance ---------------

def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hw, hh = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    r = min(r, hw, hh)

    def sdf(x, y):
        qx = abs(x - cx) - (hw - r)
        qy = abs(y - cy) - (hh - r)
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    half = width / 2.0
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - half


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp(((x - ax) * dx + (y - ay) * dy) / length2)
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def capsule(ax, ay, bx, by, width):
    half = width / 2.0
    return lambda x, y: _segment_distance(x, y, ax, ay, bx, by) - half


def polygon(points):
    n = len(points)

    def sdf(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y):
                cross = ax + (y - ay) * (bx - ax) / (by - ay)
                if x < cross:
                    inside = not inside
        return -best if inside else best
    return sdf


def arc_points(cx, cy, r, start_deg, end_deg, steps=None):
    """Points along an arc; angles in degrees, 0 = right, 90 = down."""
    if steps is None:
        steps = max(6, int(abs(end_deg - start_deg) / 8))
    pts = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# --- masks and canvas ---------------------------------------------------------

class Mask:
    """Coverage 0..1 per pixel; shapes added to it form a union."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.data = array("f", bytes(4 * width * height))
        self.box = None  # x0, y0, x1, y1 of what was touched

    def _grow(self, x0, y0, x1, y1):
        if self.box is None:
            self.box = [x0, y0, x1, y1]
        else:
            b = self.box
            b[0], b[1], b[2], b[3] = min(b[0], x0), min(b[1], y0), max(b[2], x1), max(b[3], y1)

    def add(self, sdf, bbox, soft=0.0, opacity=1.0):
        """Adds the shape `sdf` (evaluated inside bbox = x0, y0, x1, y1)."""
        margin = 1 + int(math.ceil(soft))
        x0 = max(0, int(math.floor(bbox[0])) - margin)
        y0 = max(0, int(math.floor(bbox[1])) - margin)
        x1 = min(self.width, int(math.ceil(bbox[2])) + margin)
        y1 = min(self.height, int(math.ceil(bbox[3])) + margin)
        if x0 >= x1 or y0 >= y1:
            return self
        self._grow(x0, y0, x1, y1)
        data, w = self.data, self.width
        for y in range(y0, y1):
            row = y * w
            py = y + 0.5
            for x in range(x0, x1):
                d = sdf(x + 0.5, py)
                if soft > 0:
                    t = clamp((soft - d) / (2.0 * soft))
                    cov = t * t * (3 - 2 * t)
                else:
                    cov = 0.5 - d
                    if cov <= 0:
                        continue
                    if cov > 1:
                        cov = 1.0
                cov *= opacity
                if cov > data[row + x]:
                    data[row + x] = cov
        return self

    def stroke(self, points, width, closed=False):
        """A polyline of round-capped strokes."""
        half = width / 2.0
        pairs = list(zip(points, points[1:]))
        if closed and len(points) > 2:
            pairs.append((points[-1], points[0]))
        for (ax, ay), (bx, by) in pairs:
            self.add(capsule(ax, ay, bx, by, width),
                     (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half,
                      max(ay, by) + half))
        return self

    def cut(self, sdf, bbox):
        """Removes the shape from the mask (hard-edged subtraction with AA)."""
        x0 = max(0, int(math.floor(bbox[0])) - 1)
        y0 = max(0, int(math.floor(bbox[1])) - 1)
        x1 = min(self.width, int(math.ceil(bbox[2])) + 1)
        y1 = min(self.height, int(math.ceil(bbox[3])) + 1)
        data, w = self.data, self.width
        for y in range(y0, y1):
            for x in range(x0, x1):
                keep = clamp(0.5 + sdf(x + 0.5, y + 0.5))
                data[y * w + x] *= keep
        return self


class Canvas:
    def __init__(self, width, height, colour=(0.0, 0.0, 0.0)):
        self.width, self.height = width, height
        n = width * height
        self.r = array("f", [colour[0]]) * n
        self.g = array("f", [colour[1]]) * n
        self.b = array("f", [colour[2]]) * n

    def mask(self):
        return Mask(self.width, self.height)

    def fill(self, paint, box=None):
        """Fills a rectangle (default: everything) with a colour or a paint function."""
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                c = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                i = y * self.width + x
                self.r[i], self.g[i], self.b[i] = c
        return self

    def composite(self, mask, paint, opacity=1.0):
        if mask.box is None:
            return self
        x0, y0, x1, y1 = mask.box
        fn = paint if callable(paint) else None
        for y in range(y0, y1):
            for x in range(x0, x1):
                i = y * self.width + x
                a = mask.data[i] * opacity
                if a <= 0:
                    continue
                c = fn(x + 0.5, y + 0.5) if fn else paint
                self.r[i] += (c[0] - self.r[i]) * a
                self.g[i] += (c[1] - self.g[i]) * a
                self.b[i] += (c[2] - self.b[i]) * a
        return self

    def pixel(self, x, y):
        i = y * self.width + x
        return (self.r[i], self.g[i], self.b[i])

    def set_pixel(self, x, y, c):
        i = y * self.width + x
        self.r[i], self.g[i], self.b[i] = c

    def crop(self, x, y, w, h):
        out = Canvas(w, h)
        for yy in range(h):
            for xx in range(w):
                sx, sy = x + xx, y + yy
                if 0 <= sx < self.width and 0 <= sy < self.height:
                    out.set_pixel(xx, yy, self.pixel(sx, sy))
        return out

    def png_bytes(self):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)  # filter: none
            for x in range(self.width):
                i = y * self.width + x
                raw += bytes((int(clamp(self.r[i]) * 255 + 0.5), int(clamp(self.g[i]) * 255 + 0.5),
                              int(clamp(self.b[i]) * 255 + 0.5)))
        return encode_png(self.width, self.height, bytes(raw), colour_type=2)

    def save(self, path):
        with open(path, "wb") as f:
            f.write(self.png_bytes())


def encode_png(width, height, filtered_rows, colour_type=2, bit_depth=8):
    def chunk(kind, body):
        data = kind + body
        return struct.pack(">I", len(body)) + data + struct.pack(">I", zlib.crc32(data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(filtered_rows, 9)) + chunk(b"IEND", b""))


# --- paints -------------------------------------------------------------------

def vertical(top_colour, bottom_colour, y0, y1):
    span = max(1e-6, y1 - y0)
    return lambda x, y: mix(top_colour, bottom_colour, clamp((y - y0) / span))


def diagonal(c0, c1, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length2 = max(1e-6, dx * dx + dy * dy)
    return lambda x, y: mix(c0, c1, clamp(((x - x0) * dx + (y - y0) * dy) / length2))

