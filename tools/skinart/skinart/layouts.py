# Pages designed at base 240 and written as layout elements: the three orientations at base 240 and,
# with every coordinate doubled, portrait and landscape at base 480 (the renderer doubles the
# images on those screens, so the same faces fit).
from .meta_text import Element

# (base, orientation name, orientation kind) of the layouts every document carries.
LAYOUTS = [(240, "wm-portrait", "portrait"), (240, "wm-landscape", "landscape"), (240, "wm-quad", "quad"),
           (480, "wm-portrait", "portrait"), (480, "wm-landscape", "landscape")]

# The remote screen's main area at base 240: the screen below the 42-pixel top panel.
MAIN_AREA = {"portrait": (240, 278), "landscape": (320, 198), "quad": (240, 198)}
PANEL_HEIGHT = 42
PANEL_WIDTH = {"portrait": 240, "landscape": 320, "quad": 240}

# Text colours (0x00BBGGRR).
DARK_TEXT = 0x26211C
LIGHT_TEXT = 0xD8D0C8
BLUE_TEXT = 0xB55F1F


class Item:
    """One button or label of a page at base 240."""

    def __init__(self, x, y, w, h, action=None, title=None, profile=1000, label=False, font=0,
                 color=DARK_TEXT, align=4, title_dx=0, title_dy=0, icon=None, icon_dx=0, icon_dy=0):
        self.x, self.y, self.w, self.h = x, y, w, h
        self.action, self.title, self.profile, self.label = action, title, profile, label
        self.font, self.color, self.align = font, color, align
        self.title_dx, self.title_dy = title_dx, title_dy
        self.icon, self.icon_dx, self.icon_dy = icon, icon_dx, icon_dy

    def element(self, scale):
        e = Element("label" if self.label else "button")
        for name in ("x", "y", "w", "h"):
            e.set(name, getattr(self, name) * scale)
        e.set("profile", self.profile)
        if self.title is not None:
            t = e.add(Element("title", txt=self.title))
            if self.title_dx:
                t.set("dx", self.title_dx * scale)
            if self.title_dy:
                t.set("dy", self.title_dy * scale)
            t.set("font", self.font)
            t.set("color", self.color, "int32")
            t.set("align", self.align)
        if self.icon is not None:
            i = e.add(Element("icon", profile=self.icon))
            if self.icon_dx:
                i.set("dx", self.icon_dx * scale)
            if self.icon_dy:
                i.set("dy", self.icon_dy * scale)
        if self.action is not None:
            e.add(Element("action", id=self.action))
        return e


def layout_elements(pages_for):
    """pages_for(kind) gives the pages of an orientation at base 240: a list of (bg profile, items)."""
    out = []
    for base, orient, kind in LAYOUTS:
        scale = base // 240
        layout = Element("layout", base=base, orient=orient)
        for bg, items in pages_for(kind):
            page = layout.add(Element("page", bg=bg))
            for item in items:
                page.add(item.element(scale))
        out.append(layout)
    return out
