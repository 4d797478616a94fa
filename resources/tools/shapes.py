"""Signed-distance shapes and a small painter for the cartoon picture.

Every shape is a distance function (negative inside) with a bounding box; the painter lays
shapes back to front, each with a dark outline band, and smooths the edges inside the figure.
"""

import math

INF = float("inf")


class Shape:
    def __init__(self, distance, box):
        self.distance = distance
        self.box = box  # (x0, y0, x1, y1), generous

    def __or__(self, other):
        return Shape(
            lambda x, y: min(self.distance(x, y), other.distance(x, y)),
            _box_union(self.box, other.box),
        )

    def __and__(self, other):
        return Shape(
            lambda x, y: max(self.distance(x, y), other.distance(x, y)),
            _box_meet(self.box, other.box),
        )

    def __sub__(self, other):
        return Shape(lambda x, y: max(self.distance(x, y), -other.distance(x, y)), self.box)


def _box_union(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _box_meet(a, b):
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def ellipse(cx, cy, rx, ry, degrees=0.0):
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def distance(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        k0 = math.hypot(u / rx, v / ry)
        k1 = math.hypot(u / (rx * rx), v / (ry * ry))
        return -min(rx, ry) if k1 == 0 else k0 * (k0 - 1) / k1

    r = max(rx, ry)
    return Shape(distance, (cx - r, cy - r, cx + r, cy + r))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def half_plane(ax, ay, bx, by):
    """Everything left of the direction a -> b (in screen coordinates: y grows downward)."""
    length = math.hypot(bx - ax, by - ay)
    nx, ny = (by - ay) / length, -(bx - ax) / length

    def distance(x, y):
        return (x - ax) * nx + (y - ay) * ny

    return Shape(distance, (-INF, -INF, INF, INF))


def _segment_distance2(x, y, ax, ay, bx, by):
    ex, ey = bx - ax, by - ay
    wx, wy = x - ax, y - ay
    length2 = ex * ex + ey * ey
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / length2))
    dx, dy = wx - ex * t, wy - ey * t
    return dx * dx + dy * dy


def polygon(points):
    def distance(x, y):
        best = INF
        sign = 1.0
        n = len(points)
        for i in range(n):
            ax, ay = points[i - 1]
            bx, by = points[i]
            best = min(best, _segment_distance2(x, y, ax, ay, bx, by))
            below, above = y >= ay, y < by
            turns = (bx - ax) * (y - ay) > (by - ay) * (x - ax)
            if (below and above and turns) or (not below and not above and not turns):
                sign = -sign
        return sign * math.sqrt(best)

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(distance, (min(xs), min(ys), max(xs), max(ys)))


def spline(points, closed, steps=8):
    """A Catmull-Rom curve through the points: smooth outlines from a handful of numbers."""
    out = []
    n = len(points)
    last = n if closed else n - 1
    for i in range(last):
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(
                tuple(
                    0.5
                    * (
                        2 * p1[j]
                        + (-p0[j] + p2[j]) * t
                        + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                        + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3
                    )
                    for j in range(2)
                )
            )
    if not closed:
        out.append(points[-1])
    return out


def blob(points):
    """A smooth closed shape through the given points."""
    return polygon(spline(points, closed=True))


def stroke(points, width):
    """A smooth open line through the points with round ends."""
    path = spline(points, closed=False) if len(points) > 2 else list(points)
    half = width / 2

    def distance(x, y):
        best = INF
        for i in range(1, len(path)):
            ax, ay = path[i - 1]
            bx, by = path[i]
            best = min(best, _segment_distance2(x, y, ax, ay, bx, by))
        return math.sqrt(best) - half

    xs = [p[0] for p in path]
    ys = [p[1] for p in path]
    return Shape(distance, (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half))


class Painter:
    """Lays shapes back to front on a transparent canvas.

    Edges between parts of the figure are smoothed by coverage; the outer edge of the figure is
    cut hard at half coverage, because the picture has an on/off mask.
    """

    def __init__(self, width, height, outline=(0, 0, 0), samples=3):
        self.width = width
        self.height = height
        self.outline = outline
        self.samples = samples
        self.layers = []

    def shape(self, shape, fill, outline_width=1.0, outline=None):
        self.layers.append((shape, fill, outline_width, outline or self.outline))

    def ink(self, shape, colour=None):
        self.layers.append((shape, colour or self.outline, 0.0, None))

    def _sample(self, x, y, scale):
        r = g = b = a = 0.0
        for shape, fill, width, outline in self.layers:
            x0, y0, x1, y1 = shape.box
            if x < x0 - 2 or x > x1 + 2 or y < y0 - 2 or y > y1 + 2:
                continue
            d = shape.distance(x, y)
            paints = [(outline, d), (fill, d + width)] if width > 0 else [(fill, d)]
            for colour, edge in paints:
                cover = max(0.0, min(1.0, 0.5 - edge * scale))
                if cover > 0:
                    r = colour[0] * cover + r * (1 - cover)
                    g = colour[1] * cover + g * (1 - cover)
                    b = colour[2] * cover + b * (1 - cover)
                    a = cover + a * (1 - cover)
        return r, g, b, a

    def render(self):
        n = self.samples
        pixels = []
        for py in range(self.height):
            for px in range(self.width):
                total = [0.0, 0.0, 0.0, 0.0]
                for j in range(n):
                    for i in range(n):
                        s = self._sample(px + (i + 0.5) / n, py + (j + 0.5) / n, n)
                        for k in range(4):
                            total[k] += s[k]
                r, g, b, a = total
                if a < 0.5 * n * n:
                    pixels.append((0, 0, 0, 0))
                else:
                    pixels.append((round(r / a), round(g / a), round(b / a), 255))
        return (self.width, self.height, pixels)
