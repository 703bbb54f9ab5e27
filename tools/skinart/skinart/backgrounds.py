# Page backgrounds: the dark brushed body of the remote behind the buttons, the same body holding a
# light card for text pages, and the top panel's bar. Backgrounds are opaque.
from .canvas import Canvas, gradient, mix, rgb, rounded_rect, shade

_BODY = [(0.0, rgb(0x47, 0x4E, 0x57)), (0.12, rgb(0x3A, 0x40, 0x48)), (1.0, rgb(0x22, 0x26, 0x2B))]
_PANEL = [(0.0, rgb(0x30, 0x35, 0x3C)), (1.0, rgb(0x1A, 0x1D, 0x21))]


def _streak(x, y):
    """Fine horizontal brushing: -3..+3, changing slowly along a row."""
    h = ((y * 2246822519) ^ ((x // 11) * 3266489917)) & 0xFFFFFFFF
    h = (h ^ (h >> 15)) * 668265263 & 0xFFFFFFFF
    return (h >> 7) % 7 - 3


def body(w, h):
    c = Canvas(w, h)
    for y in range(h):
        base = gradient(_BODY, (y + 0.5) / h)
        for x in range(w):
            c.set(x, y, shade(base, _streak(x, y)))
    # A light edge along the top: the main area meets the panel above it.
    for x in range(w):
        c.set(x, 0, rgb(0x5E, 0x66, 0x70))
    return c


def card(w, h, rule_y, inset=6):
    """The body with a light rounded card: the place for headings and instructions, with a rule at
    rule_y between the headings and the text."""
    c = body(w, h)
    outer = rounded_rect(inset, inset, w - inset, h - inset, 7)
    inner = rounded_rect(inset + 1, inset + 1, w - inset - 1, h - inset - 1, 6)
    c.smooth_fill(outer, rgb(0x15, 0x18, 0x1B))
    top, bottom = rgb(0xF7, 0xF8, 0xFA), rgb(0xDE, 0xE3, 0xE8)
    for y in range(h):
        colour = mix(top, bottom, (y - inset) / max(1, h - 2 * inset))
        for x in range(w):
            if inner(x + .5, y + .5):
                c.set(x, y, colour)
    for x in range(inset + 14, w - inset - 14):
        c.set(x, rule_y, rgb(0xB8, 0xC0, 0xC9))
        c.set(x, rule_y + 1, rgb(0xFF, 0xFF, 0xFF))
    return c


def panel(w, h):
    c = Canvas(w, h)
    for y in range(h):
        base = gradient(_PANEL, (y + 0.5) / h)
        for x in range(w):
            c.set(x, y, shade(base, _streak(x, y) // 2))
    for x in range(w):
        c.set(x, 0, rgb(0x4C, 0x54, 0x5E))
        c.set(x, h - 1, rgb(0x0C, 0x0E, 0x10))
    return c
