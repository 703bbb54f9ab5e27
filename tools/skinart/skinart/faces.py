# Button faces: a rounded metal plate with a dark rim and a bevel, in four states. Faces are drawn
# at the exact size of the buttons that use them (the renderer draws a face at its natural size at
# the button's top-left corner), so every button size has its own set of four.
from .canvas import Canvas, circle, gradient, mix, rgb, rounded_rect, shade

NORMAL, PRESSED, NOT_ACTIVE, HIGHLIGHTED = range(4)
STATES = (NORMAL, PRESSED, NOT_ACTIVE, HIGHLIGHTED)

# Per state: rim, top bevel, bottom bevel, fill gradient stops (top to bottom).
_LOOKS = {
    NORMAL: (rgb(0x3A, 0x42, 0x4B), rgb(0xFF, 0xFF, 0xFF), rgb(0x98, 0xA1, 0xAB),
             [(0.0, rgb(0xF2, 0xF4, 0xF6)), (0.48, rgb(0xDC, 0xE0, 0xE5)), (0.52, rgb(0xCD, 0xD3, 0xD9)),
              (1.0, rgb(0xB4, 0xBC, 0xC5))]),
    PRESSED: (rgb(0x22, 0x28, 0x2F), rgb(0x7C, 0x86, 0x91), rgb(0xC4, 0xCB, 0xD2),
              [(0.0, rgb(0x9F, 0xA9, 0xB4)), (0.5, rgb(0xAF, 0xB8, 0xC1)), (1.0, rgb(0xC4, 0xCB, 0xD2))]),
    NOT_ACTIVE: (rgb(0x80, 0x88, 0x91), rgb(0xE6, 0xE8, 0xEA), rgb(0xC0, 0xC4, 0xC9),
                 [(0.0, rgb(0xD8, 0xDB, 0xDF)), (1.0, rgb(0xC9, 0xCD, 0xD2))]),
    HIGHLIGHTED: (rgb(0x1C, 0x5C, 0xB0), rgb(0xFF, 0xFF, 0xFF), rgb(0x8F, 0xA8, 0xC6),
                  [(0.0, rgb(0xF0, 0xF6, 0xFD)), (0.48, rgb(0xD6, 0xE4, 0xF4)), (0.52, rgb(0xC3, 0xD5, 0xEB)),
                   (1.0, rgb(0xA9, 0xC0, 0xDC))]),
}
# A colour between the faces' tones: what the edge pixels of icons are blended with.
FACE_TONE = rgb(0xCF, 0xD5, 0xDB)


def _grain(x, y):
    """A faint fixed brushed-metal grain: mostly horizontal streaks, -2..+2."""
    h = (y * 7919 + (x // 6) * 104729) & 0xFFFF
    h = (h * 2654435761) >> 13
    return (h % 5) - 2


def corner_radius(w, h):
    return max(2, min(6, min(w, h) // 4))


def metal_face(w, h, state):
    rim, top, bottom, stops = _LOOKS[state]
    c = Canvas(w, h)
    r = corner_radius(w, h)
    outer = rounded_rect(0, 0, w, h, r)
    inner = rounded_rect(1, 1, w - 1, h - 1, max(1, r - 1))
    core = rounded_rect(2, 2, w - 2, h - 2, max(1, r - 2))
    grain = state != NOT_ACTIVE

    def fill(x, y):
        base = gradient(stops, (y + 0.5) / h)
        return shade(base, _grain(x, y)) if grain else base

    c.fill_where(outer, lambda x, y: rim)
    # The bevel ring: light on the upper half, shaded on the lower half.
    c.fill_where(inner, lambda x, y: top if y < h / 2 else bottom)
    c.fill_where(core, fill)
    if state == HIGHLIGHTED:
        # A second blue ring inside the rim makes the highlight visible at a glance.
        glow = rgb(0x5A, 0x9B, 0xE6)
        for y in range(h):
            for x in range(w):
                if inner(x + .5, y + .5) and not core(x + .5, y + .5):
                    c.set(x, y, glow)
    if state == PRESSED:
        # A shadow line under the top bevel: the plate sits lower than its frame.
        for x in range(w):
            if core(x + .5, 2.5):
                c.set(x, 2, mix(c.get(x, 2), rgb(0x5E, 0x68, 0x73), 0.6))
    return c


def led_face(w, h, state):
    """The IR indicator: a metal plate holding a round LED, dark (states 0, 2) or lit red (1, 3)."""
    c = metal_face(w, h, NORMAL)
    lit = state in (PRESSED, HIGHLIGHTED)
    cx, cy = w / 2, h / 2
    r = min(w, h) / 2 - 3.5
    c.smooth_fill(circle(cx, cy, r + 1), rgb(0x4A, 0x50, 0x58))
    if lit:
        c.smooth_fill(circle(cx, cy, r), rgb(0xE8, 0x1E, 0x1E))
        c.smooth_fill(circle(cx, cy + r * 0.15, r * 0.6), rgb(0xFF, 0x55, 0x44))
        c.smooth_fill(circle(cx - r * 0.35, cy - r * 0.4, r * 0.3), rgb(0xFF, 0xD8, 0xD0))
    else:
        c.smooth_fill(circle(cx, cy, r), rgb(0x5C, 0x1A, 0x1C))
        c.smooth_fill(circle(cx - r * 0.35, cy - r * 0.4, r * 0.28), rgb(0x8C, 0x4A, 0x4C))
    return c


def face_set(w, h, kind="metal"):
    draw = led_face if kind == "led" else metal_face
    return [draw(w, h, s) for s in STATES]

