# Icons: small symbols drawn centred on button faces. Edge pixels are blended with the faces' tone
# (they always sit on a face), never with the transparent key.
from .canvas import Canvas, box, circle, mix, polygon, rgb, ring, rounded_rect, union, minus
from .faces import FACE_TONE

INK = rgb(0x26, 0x2D, 0x35)
RED = rgb(0xD3, 0x2B, 0x26)


def _icon(w, h, shapes, k=1.0):
    """An icon designed on a w x h grid, drawn k times as large."""
    c = Canvas(round(w * k), round(h * k))
    for shape, colour in shapes:
        c.smooth_fill(lambda fx, fy, shape=shape: shape(fx / k, fy / k), colour, under=FACE_TONE)
    return c


def _triangle(direction, x0, y0, x1, y1):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    points = {"up": [(cx, y0), (x1, y1), (x0, y1)], "down": [(x0, y0), (x1, y0), (cx, y1)],
              "left": [(x1, y0), (x1, y1), (x0, cy)], "right": [(x0, y0), (x1, cy), (x0, y1)]}[direction]
    return polygon(points)


def arrow(direction, k=1.0):
    return _icon(14, 14, [(_triangle(direction, 2, 2, 12, 12) if direction in ("up", "down")
                           else _triangle(direction, 2, 1.5, 12, 12.5), INK)], k)


def power(k=1.0):
    cx, cy = 7, 7.5
    arc = minus(ring(cx, cy, 6, 4.2), polygon([(cx, cy), (cx - 4.5, -1), (cx + 4.5, -1)]))
    stem = box(6.1, 0.5, 7.9, 7.5)
    return _icon(14, 14, [(union(arc, stem), RED)], k)


def mute(k=1.0):
    speaker = polygon([(1, 5), (4, 5), (8, 1.5), (8, 12.5), (4, 9), (1, 9)])
    cross = union(polygon([(9.2, 3.2), (11, 3.2), (16, 10.8), (14.2, 10.8)]),
                  polygon([(14.2, 3.2), (16, 3.2), (11, 10.8), (9.2, 10.8)]))
    return _icon(16, 14, [(speaker, INK), (cross, RED)], k)


def play(k=1.0):
    return _icon(14, 14, [(_triangle("right", 3, 1.5, 12.5, 12.5), INK)], k)


def pause(k=1.0):
    return _icon(14, 14, [(union(box(3, 2, 6, 12), box(8, 2, 11, 12)), INK)], k)


def stop(k=1.0):
    return _icon(14, 14, [(box(2.5, 2.5, 11.5, 11.5), INK)], k)


def record(k=1.0):
    return _icon(14, 14, [(circle(7, 7, 5.2), RED)], k)


def rewind(k=1.0):
    return _icon(16, 14, [(union(_triangle("left", 0.5, 2, 8, 12), _triangle("left", 7.5, 2, 15, 12)), INK)], k)


def forward(k=1.0):
    return _icon(16, 14, [(union(_triangle("right", 1, 2, 8.5, 12), _triangle("right", 8, 2, 15.5, 12)), INK)], k)


def previous(k=1.0):
    return _icon(14, 14, [(union(box(1.5, 2, 3.5, 12), _triangle("left", 3.5, 2, 12.5, 12)), INK)], k)


def next_track(k=1.0):
    return _icon(14, 14, [(union(_triangle("right", 1.5, 2, 10.5, 12), box(10.5, 2, 12.5, 12)), INK)], k)


def eject(k=1.0):
    return _icon(14, 14, [(union(_triangle("up", 1.5, 1.5, 12.5, 8.5), box(1.5, 10, 12.5, 12.5)), INK)], k)


def colour_key(colour, w=28, h=12):
    """A coloured bar for the red, green, yellow and blue keys, with a darker edge."""
    c = Canvas(w, h)
    c.smooth_fill(rounded_rect(0, 0, w, h, 3.5), mix(colour, 0x000000, 0.35), under=FACE_TONE)
    c.smooth_fill(rounded_rect(1, 1, w - 1, h - 1, 2.7), colour, under=FACE_TONE)
    return c


def small_arrow(direction, k=1.0):
    """The page arrows: a narrow triangle."""
    if direction in ("left", "right"):
        return _icon(8, 10, [(_triangle(direction, 1, 0.5, 7, 9.5), INK)], k)
    return _icon(10, 6, [(_triangle(direction, 0.5, 0.5, 9.5, 5.5), INK)], k)


def menu(k=1.0):
    return _icon(14, 12, [(union(box(1, 1, 13, 3), box(1, 5, 13, 7), box(1, 9, 13, 11)), INK)], k)


def info():
    c = Canvas(15, 15)
    c.smooth_fill(circle(7.5, 7.5, 7), rgb(0x1F, 0x5F, 0xB5), under=FACE_TONE)
    c.smooth_fill(circle(7.5, 7.5, 6), rgb(0x2F, 0x78, 0xD0))
    white = rgb(0xFF, 0xFF, 0xFF)
    c.fill_rect(7, 3, 2, 2, white)
    c.fill_rect(7, 6, 2, 6, white)
    c.fill_rect(6, 6, 1, 1, white)
    c.fill_rect(6, 11, 4, 1, white)
    return c


def minimize(k=1.0):
    return _icon(12, 12, [(box(1.5, 8.5, 10.5, 11), INK)], k)


def logo():
    """The program's mark: an emitter sending three waves."""
    blue = rgb(0x1F, 0x5F, 0xB5)
    shapes = [(circle(4, 10, 3), RED)]
    for r in (6.5, 10.5, 14.5):
        shapes.append((lambda fx, fy, r=r: ring(4, 10, r + 1.6, r)(fx, fy) and fx > 4 and
                       abs(fy - 10) < (fx - 4) * 1.1, blue))
    return _icon(20, 20, shapes)
