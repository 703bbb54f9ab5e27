# A small raster: solid fills, gradients and shapes tested at pixel centres (crisp edges), plus
# shapes sampled 4 x 4 per pixel whose edge pixels are blended with the colour under them, for the
# few places where smoothing helps (round icons, the LED). Nothing is ever blended with the
# transparent key colour, so no pinkish fringes appear when the key is dropped.

KEY = 0xFF00FF  # transparent wherever the image is drawn


def rgb(r, g, b):
    return (int(r) << 16) | (int(g) << 8) | int(b)


def channels(c):
    return (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF


def mix(a, b, t):
    """a blended towards b by t (0 keeps a, 1 gives b)."""
    ar, ag, ab = channels(a)
    br, bg, bb = channels(b)
    return rgb(round(ar + (br - ar) * t), round(ag + (bg - ag) * t), round(ab + (bb - ab) * t))


def shade(c, delta):
    r, g, b = channels(c)
    return rgb(*(max(0, min(255, v + delta)) for v in (r, g, b)))


def gradient(stops, t):
    """Colour at t (0..1) of a list of (position, colour) stops in increasing position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


class Canvas:
    def __init__(self, width, height, fill=KEY):
        self.width = width
        self.height = height
        self.pixels = [fill] * (width * height)

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def set(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = c

    def fill_rect(self, x, y, w, h, c):
        for yy in range(max(0, y), min(self.height, y + h)):
            for xx in range(max(0, x), min(self.width, x + w)):
                self.pixels[yy * self.width + xx] = c

    def fill_where(self, inside, colour_at):
        """Sets every pixel whose centre passes inside(x + .5, y + .5) to colour_at(x, y)."""
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[y * self.width + x] = colour_at(x, y)

    def smooth_fill(self, inside, colour, under=None, threshold=0.5):
        """Fills the shape inside(fx, fy) sampled 4 x 4 per pixel. A partly covered pixel is blended
        with the pixel below it, or with under where that pixel is transparent; pixels covered less
        than threshold stay as they are, so a shape's edge on a transparent area stays crisp."""
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(1 for sy in range(4) for sx in range(4)
                           if inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4))
                if hits == 0:
                    continue
                cover = hits / 16
                below = self.pixels[y * self.width + x]
                if below == KEY:
                    if cover < threshold or under is None:
                        if cover >= threshold:
                            self.pixels[y * self.width + x] = colour
                        continue
                    below = under
                self.pixels[y * self.width + x] = mix(below, colour, cover)


def rounded_rect(x0, y0, x1, y1, radius):
    """Inside test of the rectangle [x0, x1) x [y0, y1) with circular corners."""
    def inside(fx, fy):
        if fx < x0 or fx > x1 or fy < y0 or fy > y1:
            return False
        cx = min(max(fx, x0 + radius), x1 - radius)
        cy = min(max(fy, y0 + radius), y1 - radius)
        return (fx - cx) ** 2 + (fy - cy) ** 2 <= radius * radius
    return inside


def polygon(points):
    """Inside test of a simple polygon (even-odd rule)."""
    def inside(fx, fy):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > fy) != (yb > fy) and fx < xa + (fy - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result
    return inside


def circle(cx, cy, r):
    return lambda fx, fy: (fx - cx) ** 2 + (fy - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner):
    return lambda fx, fy: r_inner * r_inner <= (fx - cx) ** 2 + (fy - cy) ** 2 <= r_outer * r_outer


def box(x0, y0, x1, y1):
    return lambda fx, fy: x0 <= fx <= x1 and y0 <= fy <= y1


def union(*shapes):
    return lambda fx, fy: any(s(fx, fy) for s in shapes)


def minus(shape, hole):
    return lambda fx, fy: shape(fx, fy) and not hole(fx, fy)
