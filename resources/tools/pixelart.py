"""A tiny pixel-art canvas for the 16-colour icons: shapes sampled at pixel centres, hard edges."""

# The classic 16-colour palette, one letter each; '.' is transparent.
PALETTE = {
    "k": (0, 0, 0),
    "r": (128, 0, 0),
    "g": (0, 128, 0),
    "o": (128, 128, 0),
    "n": (0, 0, 128),
    "p": (128, 0, 128),
    "t": (0, 128, 128),
    "s": (192, 192, 192),
    "d": (128, 128, 128),
    "R": (255, 0, 0),
    "G": (0, 255, 0),
    "Y": (255, 255, 0),
    "B": (0, 0, 255),
    "M": (255, 0, 255),
    "C": (0, 255, 255),
    "W": (255, 255, 255),
}


class Canvas:
    def __init__(self, size, palette=None):
        self.size = size
        self.palette = dict(PALETTE, **(palette or {}))
        self.cells = [["."] * size for _ in range(size)]

    @classmethod
    def from_rows(cls, rows, palette=None):
        canvas = cls(len(rows), palette)
        for y, row in enumerate(rows):
            assert len(row) == canvas.size, f"row {y} is {len(row)} wide"
            canvas.cells[y] = list(row)
        return canvas

    def mask(self, inside):
        """The pixels whose centre satisfies inside(x, y)."""
        return {
            (x, y)
            for y in range(self.size)
            for x in range(self.size)
            if inside(x + 0.5, y + 0.5)
        }

    def paint(self, pixels, fill, outline=None):
        """Fills the pixels; with an outline, their border ring (4-neighbourhood) gets it."""
        for x, y in pixels:
            neighbours = ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1))
            edge = any(n not in pixels for n in neighbours)
            self.cells[y][x] = outline if (outline and edge) else fill

    def halo(self, letter):
        """Rings the figure with a light edge so it stays visible on dark panels too."""
        n = self.size
        ring = [
            (x, y)
            for y in range(n)
            for x in range(n)
            if self.cells[y][x] == "."
            and any(
                0 <= x + dx < n and 0 <= y + dy < n and self.cells[y + dy][x + dx] != "."
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
            )
        ]
        self.put(letter, *ring)
        return self

    def put(self, letter, *points):
        for x, y in points:
            self.cells[y][x] = letter

    def rows(self):
        return ["".join(row) for row in self.cells]

    def image(self):
        pixels = []
        for row in self.cells:
            for letter in row:
                pixels.append((0, 0, 0, 0) if letter == "." else self.palette[letter] + (255,))
        return (self.size, self.size, pixels)

    def letters(self):
        """Maps each colour back to its letter, so written XPM files read like the drawings."""
        return {colour: letter for letter, colour in self.palette.items()}


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def in_polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i - 1]
            bx, by = points[i]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result

    return inside


def in_rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return inside
