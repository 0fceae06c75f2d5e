"""A tiny raster canvas and BMP/ICO writers for the program's artwork.

Pure Python, no dependencies: the pictures are small and drawn once per build.
Colours are (r, g, b) tuples of 0..255 integers.
"""
import struct


class Canvas:
    def __init__(self, width, height, color=(0, 0, 0)):
        self.width = width
        self.height = height
        self.px = [[tuple(color) for _ in range(width)] for _ in range(height)]

    def get(self, x, y):
        return self.px[y][x]

    def put(self, x, y, color, alpha=1.0):
        if 0 <= x < self.width and 0 <= y < self.height:
            if alpha >= 1.0:
                self.px[y][x] = tuple(int(round(c)) for c in color)
            elif alpha > 0.0:
                old = self.px[y][x]
                self.px[y][x] = tuple(int(round(o + (c - o) * alpha)) for o, c in zip(old, color))

    def fill_rect(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.px[y][x] = tuple(color)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        h = max(1, y1 - y0 - 1)
        for y in range(max(0, y0), min(self.height, y1)):
            t = (y - y0) / h
            c = tuple(a + (b - a) * t for a, b in zip(top, bottom))
            for x in range(max(0, x0), min(self.width, x1)):
                self.put(x, y, c)

    def coverage_fill(self, inside, color, bbox=None, samples=4):
        """Anti-aliased fill of the shape inside(x, y) -> bool (sub-pixel)."""
        x0, y0, x1, y1 = bbox or (0, 0, self.width, self.height)
        step = 1.0 / samples
        offs = [(i + 0.5) * step for i in range(samples)]
        for y in range(max(0, int(y0)), min(self.height, int(y1) + 1)):
            for x in range(max(0, int(x0)), min(self.width, int(x1) + 1)):
                hits = sum(1 for sy in offs for sx in offs if inside(x + sx, y + sy))
                if hits:
                    self.put(x, y, color, hits / (samples * samples))

    def circle(self, cx, cy, r, color):
        self.coverage_fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, color,
                           (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            c = False
            n = len(points)
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    c = not c
            return c
        self.coverage_fill(inside, color, (min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1))

    def rounded_rect(self, x0, y0, x1, y1, r, color):
        def inside(x, y):
            if x < x0 or x > x1 or y < y0 or y > y1:
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.coverage_fill(inside, color, (x0 - 1, y0 - 1, x1 + 1, y1 + 1))

    def line(self, ax, ay, bx, by, width, color):
        import math
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)], color)

    def blit(self, other, x, y):
        for j in range(other.height):
            for i in range(other.width):
                self.put(x + i, y + j, other.px[j][i])


def write_bmp24(canvas, path):
    """Bottom-up 24-bit BMP."""
    row = (canvas.width * 3 + 3) & ~3
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        line = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.px[y][x]
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_bmp(canvas, path):
    """The smallest uncompressed BMP that keeps every pixel: 4 or 8 bits per
    pixel with the picture's own colours as its palette when they fit (16 or
    256), else 24 bits. Palettised pictures load like any other (a DIB
    section of their depth) and cost a third of the bytes or less."""
    colours = sorted({c for row in canvas.px for c in row})
    if len(colours) > 256:
        write_bmp24(canvas, path)
        return
    write_bmp_indexed(canvas, path, 4 if len(colours) <= 16 else 8, colours, full_palette=False)


def write_bmp_indexed(canvas, path, bits, palette, full_palette=True):
    """A bottom-up BMP with 4 or 8 bits per pixel and the given palette: each
    pixel takes its colour's entry, or the nearest one when the palette lacks
    it. A full palette is padded to all 16 or 256 entries."""
    index = {}
    for i, c in enumerate(palette):
        index.setdefault(c, i)

    def entry(c):
        if c not in index:
            index[c] = min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))
        return index[c]

    entries = (1 << bits) if full_palette else len(palette)
    row = ((canvas.width * bits + 31) // 32) * 4
    data = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        line = bytearray(row)
        for x in range(canvas.width):
            i = entry(canvas.px[y][x])
            if bits == 8:
                line[x] = i
            else:
                line[x // 2] |= i << (4 if x % 2 == 0 else 0)
        data += line
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pal += b"\0" * (4 * entries - len(pal))
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, bits, 0, len(data), 2835, 2835,
                       entries, 0)
    with open(path, "wb") as f:
        f.write(header + info + pal + data)


def fit_palette(canvas, limit=256):
    """Brings the picture down to at most limit colours, in place, each pixel
    to the nearest of them, so that write_bmp can store it with a palette.
    The palette comes from a median cut over the distinct colours (weighted
    by the square root of their counts, so rare edge colours keep entries of
    their own), refined by a few rounds of averaging; on the skin no channel
    moves by more than a few levels. Returns the largest channel change."""
    counts = {}
    for row in canvas.px:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    if len(counts) <= limit:
        return 0
    weights = {c: n ** 0.5 for c, n in counts.items()}

    def spread(box, ch):
        return max(c[ch] for c in box) - min(c[ch] for c in box)

    def mean(box):
        total = sum(weights[c] for c in box)
        return tuple(int(round(sum(c[ch] * weights[c] for c in box) / total)) for ch in range(3))

    def dist(a, b):
        return (a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2

    boxes = [sorted(counts)]
    while len(boxes) < limit:
        best, best_score = None, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            score = max(spread(box, ch) for ch in range(3)) ** 2 * sum(weights[c] for c in box)
            if score > best_score:
                best, best_score = i, score
        if best is None:
            break
        box = boxes.pop(best)
        ch = max(range(3), key=lambda k: spread(box, k))
        box.sort(key=lambda c: c[ch])
        half, acc, cut = sum(weights[c] for c in box) / 2, 0.0, 0
        for cut, c in enumerate(box):
            acc += weights[c]
            if acc >= half:
                break
        cut = min(max(cut, 0), len(box) - 2)
        boxes += [box[:cut + 1], box[cut + 1:]]
    palette = [mean(b) for b in boxes]
    nearest_of = {}
    for _ in range(6):
        groups = [[] for _ in palette]
        for c in counts:
            i = min(range(len(palette)), key=lambda j: dist(palette[j], c))
            groups[i].append(c)
            nearest_of[c] = i
        palette = [mean(g) if g else palette[i] for i, g in enumerate(groups)]
    worst = 0
    for c in counts:
        i = min(range(len(palette)), key=lambda j: dist(palette[j], c))
        nearest_of[c] = palette[i]
        worst = max(worst, max(abs(a - b) for a, b in zip(c, palette[i])))
    for row in canvas.px:
        for x, c in enumerate(row):
            row[x] = nearest_of[c]
    return worst


def palette_of(canvas, limit=256):
    """Exact palette when the picture has few colours, else a 6x7x6 cube."""
    colours = sorted({c for row in canvas.px for c in row})
    if len(colours) <= limit:
        return colours
    levels_r = [0, 51, 102, 153, 204, 255]
    levels_g = [0, 42, 85, 128, 170, 213, 255]
    return [(r, g, b) for r in levels_r for g in levels_g for b in levels_r][:limit]


def nearest(palette, c, cache):
    if c not in cache:
        cache[c] = min(range(len(palette)),
                       key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))
    return cache[c]


def write_ico8(canvas, mask, path):
    """A one-image .ico: 8 bits per pixel (256 colours) with an AND mask.
    mask[y][x] is True where the icon is transparent."""
    w, h = canvas.width, canvas.height
    palette = palette_of(canvas)
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            xor.append(0 if mask[y][x] else nearest(palette, canvas.px[y][x], cache))
    mask_row = ((w + 31) // 32) * 4
    andm = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(w):
            if mask[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        andm += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(xor) + len(andm), 0, 0, 256, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = info + pal + xor + andm
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)
