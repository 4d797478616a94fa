"""The Kehrzahl-Atlas icon: a small carry graph on a dark page, its walk in orange.

Three states on a navy page: the start on the left, a state above and a double circle (an even
end) on the right; the walk runs start, top, end in orange, a plain edge runs below. Drawn at
32 x 32 from shapes and at 16 x 16 pixel by pixel, in at most 16 colours like the other icons.
"""

from pixelart import Canvas, in_circle, in_rounded_rect

EXTRA = {
    "O": (230, 110, 0),  # the walk
    "L": (255, 226, 190),  # a walked state
    "N": (24, 40, 96),  # the page
    "b": (70, 100, 170),  # the page's lighter rim
}


def _near_segment(ax, ay, bx, by, width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= width * width / 4

    return inside


def atlas_32():
    c = Canvas(32, EXTRA)
    c.paint(c.mask(in_rounded_rect(1, 1, 31, 31, 5)), "N", "k")
    c.paint(c.mask(in_rounded_rect(2, 2, 30, 4.5, 2)), "b")
    left, top, right = (8, 22), (16, 10), (24, 22)
    c.paint(c.mask(_near_segment(*left, *right, 1.6)), "W")
    c.paint(c.mask(_near_segment(*left, *top, 2.4)), "O")
    c.paint(c.mask(_near_segment(*top, *right, 2.4)), "O")
    c.paint(c.mask(in_circle(*left, 4.6)), "L", "O")
    c.paint(c.mask(in_circle(*top, 4.6)), "L", "O")
    c.paint(c.mask(in_circle(*right, 5.6)), "L", "O")
    ring = c.mask(in_circle(*right, 3.4)) - c.mask(in_circle(*right, 2.4))
    c.put("O", *ring)
    # The arrow head where the walk reaches the end.
    c.put("O", (18, 16), (19, 16), (19, 15), (17, 15))
    return c.halo("W")


ATLAS_16 = [
    "kkkkkkkkkkkkkkkk",
    "kbbbbbbbbbbbbbbk",
    "kNNNNNNOONNNNNNk",
    "kNNNNNOLLONNNNNk",
    "kNNNNNOLLONNNNNk",
    "kNNNNOOOOOONNNNk",
    "kNNNOONNNNOONNNk",
    "kNNOONNNNNNOONNk",
    "kNOONNNNNNNNOOOk",
    "kNOONNNNNNNOLLOk",
    "kOLLONNNNNNOLOOk",
    "kOLLOWWWWWWOOLOk",
    "kNOONNNNNNNOLLOk",
    "kNNNNNNNNNNNOONk",
    "kNNNNNNNNNNNNNNk",
    "kkkkkkkkkkkkkkkk",
]


def atlas_icons():
    """The 32 and 16 pixel canvases."""
    return atlas_32(), Canvas.from_rows(ATLAS_16, EXTRA)
