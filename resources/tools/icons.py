"""The five toolbar and program icons, each drawn at 32 x 32 and 16 x 16 in at most 16 colours.

The large ones are built from shapes; the small ones are drawn pixel by pixel, because at
16 x 16 every pixel has to be placed by hand to stay readable.
"""

import math

from pixelart import Canvas, in_circle, in_polygon, in_rect, in_rounded_rect

EXTRA = {
    "D": (64, 64, 64),  # traffic-light housing
    "O": (255, 160, 0),  # light rays, pencil facet
    "P": (255, 150, 170),  # eraser
    "Q": (200, 80, 110),  # eraser shade
    "T": (236, 196, 140),  # sharpened wood
}


def spade_32():
    c = Canvas(32, EXTRA)

    def body(x, y):
        # The heart curve (x^2 + y^2 - 1)^3 = x^2 y^3, drawn with screen y downward: a spade.
        hx, hy = (x - 16) / 11.2, (y - 12.2) / 11.2
        return (hx * hx + hy * hy - 1) ** 3 - hx * hx * hy**3 <= 0

    stem = in_polygon([(14.6, 19), (17.4, 19), (18, 25), (23.5, 30.6), (8.5, 30.6), (14, 25)])
    c.paint(c.mask(lambda x, y: body(x, y) or stem(x, y)), "k")
    # A soft shine on the left lobe keeps the shape from reading as a flat blot.
    c.put("d", (7, 14), (6, 15), (6, 16), (6, 17), (7, 18))
    c.put("D", (8, 12), (7, 13), (5, 18), (6, 19))
    return c.halo("W")


SPADE_16 = [
    ".......kk.......",
    "......kkkk......",
    ".....kkkkkk.....",
    "....kkkkkkkk....",
    "...kkkkkkkkkk...",
    "..kkkkkkkkkkkk..",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    "..kkkkkkkkkkkk..",
    "...kkk.kk.kkk...",
    ".......kk.......",
    "......kkkk......",
    "....kkkkkkkk....",
]


def traffic_light_32():
    c = Canvas(32, EXTRA)
    c.paint(c.mask(in_rounded_rect(9, 0, 23, 32, 3)), "D", "k")
    for cy, lamp in ((6, "r"), (16, "o"), (26, "G")):
        c.paint(c.mask(in_circle(16, cy, 4.3)), lamp, "k")
    # The lit lamp: a bright spot top left, a darker rim bottom right, rays to both sides.
    c.put("W", (14, 23), (15, 23), (14, 24))
    c.put("g", (18, 28), (19, 27), (19, 26), (17, 28))
    for x, y in ((4, 26), (5, 26), (6, 26), (4, 21), (5, 22), (6, 23), (4, 31), (5, 30), (6, 29)):
        c.put("G", (x, y), (31 - x, y))
    return c


TRAFFIC_LIGHT_16 = [
    "...kkkkkkkkk....",
    "...kDDrrrDDk....",
    "...kDrrrrrDk....",
    "...kDrrrrrDk....",
    "...kDDrrrDDk....",
    "...kDDDDDDDk....",
    "...kDDoooDDk....",
    "...kDoooooDk....",
    "...kDoooooDk....",
    "...kDDoooDDk....",
    ".G.kDDDDDDDk.G..",
    "..GkDDGGGDDkG...",
    "...kDGWGGGDk....",
    "GG.kDGGGGgDk.GG.",
    "...kDDGggDDk....",
    "...kkkkkkkkk....",
]

STOP_LETTERS = {
    "S": [".###", "#...", "#...", ".##.", "...#", "...#", "###."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["###.", "#..#", "#..#", "###.", "#...", "#...", "#..."],
}


def octagon(size, inset):
    half = size / 2
    reach = half - inset
    return lambda x, y: (
        abs(x - half) <= reach
        and abs(y - half) <= reach
        and abs(x - half) + abs(y - half) <= reach * math.sqrt(2) * 0.99 + 0.3
    )


def stop_sign_32():
    c = Canvas(32, EXTRA)
    c.paint(c.mask(octagon(32, 0)), "R", "r")
    c.paint(c.mask(octagon(32, 2)), "W")
    c.paint(c.mask(octagon(32, 3)), "R")
    x = 5
    for letter in "STOP":
        glyph = STOP_LETTERS[letter]
        for dy, row in enumerate(glyph):
            for dx, bit in enumerate(row):
                if bit == "#":
                    c.put("W", (x + dx, 12 + dy))
        x += len(glyph[0]) + 1
    return c


STOP_SIGN_16 = [
    ".....rrrrrr.....",
    "....rRRRRRRr....",
    "...rRRRRRRRRr...",
    "..rRRRRRRRRRRr..",
    ".rRRRRRRRRRRRRr.",
    "rRRRRRRRRRRRRRRr",
    "rRWWRWWWRWWRWWRr",
    "rRWRRRWRRWWRWWRr",
    "rRRWRRWRRWWRWRRr",
    "rRWWRRWRRWWRWRRr",
    "rRRRRRRRRRRRRRRr",
    ".rRRRRRRRRRRRRr.",
    "..rRRRRRRRRRRr..",
    "...rRRRRRRRRr...",
    "....rRRRRRRr....",
    ".....rrrrrr.....",
]


def pencil_32():
    c = Canvas(32, EXTRA)
    # The sheet of paper, with a line of writing that the eraser has just rubbed away in part.
    c.paint(c.mask(in_polygon([(3, 24), (31, 24), (29, 31), (1, 31)])), "W", "k")
    c.put("d", *[(x, 27) for x in range(17, 27)])
    c.put("d", *[(x, 29) for x in range(15, 26) if x not in (19, 20)])

    # Measured from the eraser's end on the paper: u up along the pencil, v across it.
    ca, sa = math.cos(math.radians(-55)), math.sin(math.radians(-55))

    def along(x, y):
        dx, dy = x - 8.5, y - 27.0
        return dx * ca + dy * sa, -dx * sa + dy * ca

    def section(u0, u1, v0=-4.0, v1=4.0):
        def inside(x, y):
            u, v = along(x, y)
            return u0 <= u <= u1 and v0 <= v <= v1

        return inside

    def cone(x, y):
        u, v = along(x, y)
        return 21 <= u <= 30 and abs(v) <= 4 * (30 - u) / 9

    whole = c.mask(lambda x, y: section(0, 21)(x, y) or cone(x, y))
    c.paint(whole, "Y", "k")
    inner = [(x, y) for x, y in whole if c.cells[y][x] == "Y"]
    parts = (
        ("P", section(0, 6)),  # eraser
        ("s", section(6, 10)),  # metal band
        ("d", section(7.5, 8.5)),
        ("O", section(10, 21, 1.5)),  # the shaded facet
        ("T", cone),  # sharpened wood
        ("k", lambda x, y: cone(x, y) and along(x, y)[0] >= 26.5),  # lead
        ("Q", section(0, 1.6)),  # the rubbed, worn end
    )
    for letter, inside in parts:
        c.put(letter, *[(x, y) for x, y in inner if inside(x + 0.5, y + 0.5)])
    c.put("P", (12, 29), (14, 28))  # crumbs
    return c


PENCIL_16 = [
    "..............kk",
    "............kkdk",
    "...........kTTTk",
    "..........kTTTk.",
    ".........kYYOk..",
    "........kYYOk...",
    ".......kYYOk....",
    "......kYYOk.....",
    ".....kssdk......",
    "....kssdk.......",
    "...kPPQk........",
    "..kPPQk.........",
    "kkkkkkkkkkkkkkkk",
    "kWWWWWWWWWWWWWWk",
    "kWWWWWWWddWdddWk",
    "kkkkkkkkkkkkkkkk",
]


def bulb_32():
    c = Canvas(32, EXTRA)
    glass = c.mask(
        lambda x, y: in_circle(16, 12.5, 8.6)(x, y)
        or in_polygon([(9.5, 16), (22.5, 16), (20.5, 22.5), (11.5, 22.5)])(x, y)
    )
    c.paint(glass, "Y", "k")
    c.paint(c.mask(in_rect(11, 22, 21, 28)), "s", "k")
    c.put("d", *[(x, 24) for x in range(12, 20)])
    c.put("d", *[(x, 26) for x in range(12, 20)])
    c.paint(c.mask(in_rect(13, 27.5, 19, 31)), "d", "k")
    # Shine and a glowing filament.
    c.put("W", (11, 9), (11, 10), (12, 8), (13, 7), (12, 11), (14, 7))
    c.put("O", (15, 15), (16, 16), (17, 15))
    c.put("O", *[(x, y) for x in (14, 18) for y in range(16, 21)])
    for degrees in (-90, -45, -135, 0, 180, 30, 150):
        a = math.radians(degrees)
        for r in (11.0, 12.0, 13.0):
            x = 16 + math.cos(a) * r
            y = 12.5 + math.sin(a) * r
            if 0 <= x < 32 and 0 <= y < 32:
                c.put("O", (int(x), int(y)))
    return c


BULB_16 = [
    ".......O........",
    "..O....O....O...",
    "...O.kkkkk.O....",
    "....kYYYYYk.....",
    "...kYWYYYYYk....",
    "OO.kWYYYYYYk.OO.",
    "...kYYOYOYYk....",
    "...kYYOYOYYk....",
    "....kYOYOYk.....",
    ".....kYOYk......",
    ".....kkkkk......",
    ".....ksssk......",
    ".....kdddk......",
    ".....ksssk......",
    "......kdk.......",
    ".......k........",
]


def all_icons():
    """(name, 32 x 32 canvas, 16 x 16 canvas) for each icon."""
    return [
        ("program", spade_32(), Canvas.from_rows(SPADE_16, EXTRA).halo("W")),
        ("start", traffic_light_32(), Canvas.from_rows(TRAFFIC_LIGHT_16, EXTRA)),
        ("abort", stop_sign_32(), Canvas.from_rows(STOP_SIGN_16, EXTRA)),
        ("clear", pencil_32(), Canvas.from_rows(PENCIL_16, EXTRA)),
        ("single-case", bulb_32(), Canvas.from_rows(BULB_16, EXTRA)),
    ]
