"""Drawing helpers for skinned windows: composable anti-aliased shapes,
shaded fills (colour as a function of position), brushed-metal texture and
pixel-exact bevels. Works on raster.Canvas; has no draw() of its own."""
import math
import random


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def clamp(c):
    return tuple(max(0, min(255, int(round(v)))) for v in c)


class Shape:
    """A region: inside(x, y) -> bool plus a bounding box (x0, y0, x1, y1)."""

    def __init__(self, inside, bbox, core=None):
        self.inside = inside
        self.bbox = bbox
        # a rectangle known to lie wholly inside (skips sampling there)
        self.core = core

    def __or__(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) or b(x, y),
                     (min(self.bbox[0], other.bbox[0]), min(self.bbox[1], other.bbox[1]),
                      max(self.bbox[2], other.bbox[2]), max(self.bbox[3], other.bbox[3])))

    def __sub__(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) and not b(x, y), self.bbox)

    def __and__(self, other):
        a, b = self.inside, other.inside
        return Shape(lambda x, y: a(x, y) and b(x, y),
                     (max(self.bbox[0], other.bbox[0]), max(self.bbox[1], other.bbox[1]),
                      min(self.bbox[2], other.bbox[2]), min(self.bbox[3], other.bbox[3])))

    def shifted(self, dx, dy):
        a = self.inside
        x0, y0, x1, y1 = self.bbox
        core = None
        if self.core:
            cx0, cy0, cx1, cy1 = self.core
            core = (cx0 + dx, cy0 + dy, cx1 + dx, cy1 + dy)
        return Shape(lambda x, y: a(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy), core)


def circle(cx, cy, r):
    r2 = r * r
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r0, r1):
    a, b = r0 * r0, r1 * r1
    return Shape(lambda x, y: a <= (x - cx) ** 2 + (y - cy) ** 2 <= b, (cx - r1, cy - r1, cx + r1, cy + r1))


def arc(cx, cy, r0, r1, a0, a1):
    """Part of a ring between angles a0..a1 (degrees, 0 = east, clockwise as y grows down)."""
    a, b = r0 * r0, r1 * r1

    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if not a <= d <= b:
            return False
        ang = math.degrees(math.atan2(y - cy, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        return lo <= ang <= hi if lo <= hi else ang >= lo or ang <= hi
    return Shape(inside, (cx - r1, cy - r1, cx + r1, cy + r1))


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1), (x0 + r, y0 + 1, x1 - r, y1 - 1))


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, (x0, y0, x1, y1), (x0, y0, x1, y1))


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    n = len(points)
    edges = [(points[i], points[(i + 1) % n]) for i in range(n)]

    def inside(x, y):
        c = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                c = not c
        return c
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def capsule(ax, ay, bx, by, w):
    """A stroke from a to b, width w, with round ends."""
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1.0
    r2 = (w / 2.0) ** 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        px, py = ax + dx * t - x, ay + dy * t - y
        return px * px + py * py <= r2
    h = w / 2.0
    return Shape(inside, (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def fill(canvas, shape, colour, alpha=1.0, samples=4):
    """Anti-aliased fill; colour is an (r, g, b) or a function (x, y) -> (r, g, b)
    evaluated at pixel centres."""
    x0, y0, x1, y1 = shape.bbox
    inside = shape.inside
    step = 1.0 / samples
    offs = [(i + 0.5) * step for i in range(samples)]
    total = samples * samples
    core = shape.core
    fn = colour if callable(colour) else None
    for y in range(max(0, int(math.floor(y0)) - 1), min(canvas.height, int(math.ceil(y1)) + 1)):
        for x in range(max(0, int(math.floor(x0)) - 1), min(canvas.width, int(math.ceil(x1)) + 1)):
            if core and core[0] <= x and x + 1 <= core[2] and core[1] <= y and y + 1 <= core[3]:
                cov = 1.0
            else:
                hits = 0
                for sy in offs:
                    for sx in offs:
                        if inside(x + sx, y + sy):
                            hits += 1
                if not hits:
                    continue
                cov = hits / total
            c = fn(x + 0.5, y + 0.5) if fn else colour
            canvas.put(x, y, c, cov * alpha)


def vgrad(y0, y1, top, bottom):
    """Vertical gradient colour function between rows y0 and y1."""
    span = float(y1 - y0) or 1.0
    return lambda x, y: mix(top, bottom, max(0.0, min(1.0, (y - y0) / span)))


def stops(y0, y1, points):
    """Vertical multi-stop gradient: points are (t, colour) with t in 0..1."""
    span = float(y1 - y0) or 1.0

    def fn(x, y):
        t = max(0.0, min(1.0, (y - y0) / span))
        for (ta, ca), (tb, cb) in zip(points, points[1:]):
            if t <= tb:
                return mix(ca, cb, (t - ta) / ((tb - ta) or 1.0))
        return points[-1][1]
    return fn


def brushed(canvas, x0, y0, x1, y1, base, strength=4.0, seed=1):
    """Horizontal brushed-metal streaks over a colour function base(x, y)."""
    rnd = random.Random(seed)
    w = x1 - x0
    for y in range(y0, y1):
        row = rnd.uniform(-1.0, 1.0) * strength * 0.5
        # a smoothed random walk along the row gives long streaks
        noise = [rnd.uniform(-1.0, 1.0) for _ in range(w + 8)]
        smooth = [sum(noise[i:i + 8]) / 8.0 * 2.2 for i in range(w)]
        for i, x in enumerate(range(x0, x1)):
            b = base(x + 0.5, y + 0.5)
            d = row + smooth[i] * strength
            canvas.put(x, y, clamp(tuple(v + d for v in b)))


def tint(canvas, x, y, colour, alpha):
    canvas.put(x, y, colour, alpha)


def hline(canvas, x0, x1, y, colour, alpha=1.0):
    for x in range(x0, x1 + 1):
        canvas.put(x, y, colour, alpha)


def vline(canvas, x, y0, y1, colour, alpha=1.0):
    for y in range(y0, y1 + 1):
        canvas.put(x, y, colour, alpha)


def bevel(canvas, x0, y0, x1, y1, light, dark, alpha_light=1.0, alpha_dark=1.0):
    """A 1 px frame on the pixel rectangle x0..x1, y0..y1 (inclusive): light
    along the top and left edges, dark along the bottom and right edges."""
    hline(canvas, x0, x1 - 1, y0, light, alpha_light)
    vline(canvas, x0, y0 + 1, y1 - 1, light, alpha_light)
    hline(canvas, x0 + 1, x1, y1, dark, alpha_dark)
    vline(canvas, x1, y0 + 1, y1 - 1, dark, alpha_dark)


def crop(canvas, x, y, w, h):
    from raster import Canvas
    out = Canvas(w, h)
    for j in range(h):
        out.px[j] = list(canvas.px[y + j][x:x + w])
    return out


def copy(canvas):
    return crop(canvas, 0, 0, canvas.width, canvas.height)


def reduce_colours(canvas, limit=256):
    """Median-cut the picture down to at most limit colours (in place), so
    an 8-bit writer can keep its exact palette instead of a fixed cube."""
    pixels = [p for row in canvas.px for p in row]
    if len(set(pixels)) <= limit:
        return
    boxes = [pixels]
    while len(boxes) < limit:
        # split the box with the widest channel range
        best, best_range, best_ch = None, -1, 0
        for i, box in enumerate(boxes):
            if len(set(box)) < 2:
                continue
            for ch in range(3):
                vals = [p[ch] for p in box]
                r = max(vals) - min(vals)
                if r > best_range:
                    best, best_range, best_ch = i, r, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda p: p[best_ch])
        mid = len(box) // 2
        boxes += [box[:mid], box[mid:]]
    palette = [tuple(int(round(sum(p[ch] for p in b) / len(b))) for ch in range(3)) for b in boxes if b]
    cache = {}
    for row in canvas.px:
        for x, p in enumerate(row):
            if p not in cache:
                cache[p] = min(palette, key=lambda q: sum((a - b) ** 2 for a, b in zip(p, q)))
            row[x] = cache[p]
