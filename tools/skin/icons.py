"""Line icons of the default skin, drawn into a coverage mask around a centre
point on a 16-pixel grid. `w` is the stroke weight in pixels."""

import math

from raster import arc_points, circle, polygon, ring, rounded_rect


def document(m, cx, cy, w=1.6):
    x0, x1, y0, y1 = cx - 5.0, cx + 5.0, cy - 7.0, cy + 7.0
    m.stroke([(x0, y0), (x1 - 3.5, y0), (x1, y0 + 3.5), (x1, y1), (x0, y1)], w, closed=True)
    m.stroke([(x1 - 3.5, y0), (x1 - 3.5, y0 + 3.5), (x1, y0 + 3.5)], w)
    m.stroke([(x0 + 2.6, cy + 0.5), (x1 - 2.6, cy + 0.5)], w)
    m.stroke([(x0 + 2.6, cy + 3.6), (x1 - 2.6, cy + 3.6)], w)


def eye(m, cx, cy, w=1.6):
    # An almond of two shallow arcs and a pupil.
    r = 10.0
    upper = arc_points(cx, cy + 6.2, r, -145, -35)
    lower = arc_points(cx, cy - 6.2, r, 145, 35)
    m.stroke(upper, w)
    m.stroke(lower, w)
    m.add(circle(cx, cy, 2.6), (cx - 3, cy - 3, cx + 3, cy + 3))


def gear(m, cx, cy, w=1.6):
    pts = []
    teeth = 8
    for i in range(teeth * 4):
        a = math.radians(i * 360.0 / (teeth * 4) - 11.25)
        r = 7.6 if (i % 4) in (1, 2) else 5.6
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    m.add(polygon(pts), (cx - 8, cy - 8, cx + 8, cy + 8))
    m.cut(circle(cx, cy, 2.4), (cx - 3, cy - 3, cx + 3, cy + 3))


def question(m, cx, cy, w=1.6, scale=1.0):
    s = scale
    m.stroke(arc_points(cx, cy - 2.2 * s, 2.8 * s, -165, 35) + [(cx, cy + 1.6 * s)], w)
    m.add(circle(cx, cy + 5.0 * s, w * 0.62), (cx - 2, cy + 3 * s, cx + 2, cy + 7 * s))


def help_circle(m, cx, cy, w=1.6):
    m.add(ring(cx, cy, 7.0, w), (cx - 8, cy - 8, cx + 8, cy + 8))
    question(m, cx, cy - 0.2, w, 0.82)


def trash(m, cx, cy, w=1.6):
    m.stroke([(cx - 6.5, cy - 4.5), (cx + 6.5, cy - 4.5)], w)
    m.stroke([(cx - 2.2, cy - 4.5), (cx - 2.2, cy - 7.0), (cx + 2.2, cy - 7.0), (cx + 2.2, cy - 4.5)],
             w)
    m.stroke([(cx - 4.6, cy - 4.5), (cx - 3.9, cy + 7.0), (cx + 3.9, cy + 7.0),
              (cx + 4.6, cy - 4.5)], w)
    m.stroke([(cx - 1.3, cy - 1.5), (cx - 1.1, cy + 4.2)], w * 0.85)
    m.stroke([(cx + 1.3, cy - 1.5), (cx + 1.1, cy + 4.2)], w * 0.85)


def info(m, cx, cy, w=1.6):
    m.add(ring(cx, cy, 7.0, w), (cx - 8, cy - 8, cx + 8, cy + 8))
    m.add(circle(cx, cy - 3.4, w * 0.68), (cx - 2, cy - 5.5, cx + 2, cy - 1.5))
    m.stroke([(cx, cy - 0.6), (cx, cy + 3.9)], w)


def refresh(m, cx, cy, w=1.6):
    r = 6.0
    pts = arc_points(cx, cy, r, -50, 250)
    m.stroke(pts, w)
    # Arrow head at the open end (the arc runs clockwise, ending upper left).
    ex, ey = pts[-1]
    a = math.radians(250)
    tx, ty = -math.sin(a), math.cos(a)  # direction of travel
    nx, ny = math.cos(a), math.sin(a)   # outward normal
    tip = (ex + tx * 2.6, ey + ty * 2.6)
    m.add(polygon([tip, (ex + nx * 2.8 - tx * 0.8, ey + ny * 2.8 - ty * 0.8),
                   (ex - nx * 2.8 - tx * 0.8, ey - ny * 2.8 - ty * 0.8)]),
          (ex - 5, ey - 5, ex + 5, ey + 5))


def magnifier(m, cx, cy, w=1.6):
    m.add(ring(cx - 1.6, cy - 1.6, 4.6, w), (cx - 8, cy - 8, cx + 4, cy + 4))
    m.stroke([(cx + 2.0, cy + 2.0), (cx + 6.2, cy + 6.2)], w * 1.45)


def toggle(m, cx, cy, w=1.6):
    m.add(subtract_ring_pill(cx, cy, w), (cx - 9, cy - 6, cx + 9, cy + 6))
    m.add(circle(cx + 3.6, cy, 2.5), (cx, cy - 3, cx + 7, cy + 3))


def subtract_ring_pill(cx, cy, w):
    outer = rounded_rect(cx - 8.0, cy - 5.0, cx + 8.0, cy + 5.0, 5.0)
    return lambda x, y: abs(outer(x, y)) - w / 2.0


def cross_circle(m, cx, cy, w=1.6):
    m.add(ring(cx, cy, 7.0, w), (cx - 8, cy - 8, cx + 8, cy + 8))
    d = 2.7
    m.stroke([(cx - d, cy - d), (cx + d, cy + d)], w)
    m.stroke([(cx + d, cy - d), (cx - d, cy + d)], w)


def check(m, cx, cy, w=1.6):
    m.stroke([(cx - 6.0, cy + 0.2), (cx - 2.0, cy + 4.2), (cx + 6.2, cy - 4.4)], w * 1.15)


def minimise(m, cx, cy, w=1.6):
    m.stroke([(cx - 4.2, cy + 0.5), (cx + 4.2, cy + 0.5)], w)


def close(m, cx, cy, w=1.6):
    d = 3.9
    m.stroke([(cx - d, cy - d), (cx + d, cy + d)], w)
    m.stroke([(cx + d, cy - d), (cx - d, cy + d)], w)


def power(m, cx, cy, w=1.6):
    m.stroke(arc_points(cx, cy + 0.6, 6.0, -58, 238), w)
    m.stroke([(cx, cy - 7.0), (cx, cy - 0.6)], w)


def chevron(m, cx, cy, w=1.4):
    m.stroke([(cx - 3.0, cy - 1.4), (cx, cy + 1.6), (cx + 3.0, cy - 1.4)], w)


def logo_glyph(m, cx, cy, size, w):
    """The product mark's white glyph: an open tray and an arrow leaving it."""
    s = size / 16.0
    m.stroke([(cx - 6.0 * s, cy + 0.5 * s), (cx - 6.0 * s, cy + 6.0 * s), (cx + 6.0 * s, cy + 6.0 * s),
              (cx + 6.0 * s, cy + 0.5 * s)], w)
    m.stroke([(cx, cy + 2.6 * s), (cx, cy - 6.6 * s)], w)
    m.stroke([(cx - 3.6 * s, cy - 3.2 * s), (cx, cy - 6.8 * s), (cx + 3.6 * s, cy - 3.2 * s)], w)

