"""The cartoon duck of the main window: white, in a blue sailor shirt, facing right, waving."""

import math

from shapes import Painter, blob, circle, ellipse, half_plane, polygon, stroke

WIDTH, HEIGHT = 85, 78

WHITE = (255, 255, 255)
YELLOW = (255, 255, 0)
SHIRT = (38, 92, 204)
SHIRT_SHADE = (28, 68, 160)
COLLAR = (22, 44, 128)
BOW = (214, 30, 40)
BLACK = (0, 0, 0)
LINE = 1.4


def wing_hand(p, cx, cy, degrees):
    """Three feather fingers fanned around a point, pointing in the given direction."""
    for turn in (-32, 0, 32):
        angle = degrees + turn
        ox, oy = math.cos(math.radians(angle)) * 4, math.sin(math.radians(angle)) * 4
        p.shape(ellipse(cx + ox, cy + oy, 5, 2.7, angle), WHITE, LINE)
    p.shape(circle(cx, cy, 3.6), WHITE, LINE)


def draw():
    p = Painter(WIDTH, HEIGHT)

    # Feet first: the body overlaps their heels, so they seem to come from under it.
    back_foot = [(26, 67), (37, 68.5), (45, 71.5), (46.5, 75), (40, 76), (25, 76), (22, 72)]
    front_foot = [(42, 68), (55, 69.5), (66, 72.5), (68.5, 75.5), (61, 77), (43, 77), (39, 73)]
    p.shape(blob(back_foot), YELLOW, LINE)
    p.shape(blob(front_foot), YELLOW, LINE)
    p.ink(stroke([(54, 73.5), (61, 75)], 0.8))
    p.ink(stroke([(33, 72), (40, 73.3)], 0.8))

    # Tail feathers: a little fan sticking up at the back.
    for cx, cy, length, angle in ((13, 53, 7.5, -20), (12, 48, 7.5, -40), (15, 44, 6.5, -62)):
        p.shape(ellipse(cx, cy, length, 2.8, angle), WHITE, LINE)

    body = blob(
        [(36, 32), (52, 32), (60, 41), (62, 54), (55, 67), (39, 70), (24, 67), (16, 56), (20, 41)]
    )
    p.shape(body, WHITE, LINE)

    # The shirt is the upper body, its hem bending a little with the belly.
    shirt = body & half_plane(90, 56, 0, 58)
    p.shape(shirt, SHIRT, LINE)

    # Sailor collar: a square flap down the back, a white stripe along its edges.
    flap = polygon([(28, 32), (45, 34), (35.5, 49.5), (20, 47.5)]) & body
    p.shape(flap, COLLAR, LINE)
    p.ink(stroke([(22.5, 44.5), (34, 46.5), (41.5, 35.5)], 1.0), WHITE)
    p.shape(polygon([(44, 33), (57, 33), (54, 42)]), COLLAR, LINE)

    head = circle(46, 19, 13.5) | ellipse(50, 25, 11.5, 7.5)
    p.shape(head, WHITE, LINE)
    # A curl of head feathers.
    p.ink(stroke([(42.5, 6.5), (40.5, 3), (37, 1.5)], 1.4))
    p.ink(stroke([(45.5, 6), (44.5, 2.5), (41.5, 0.8)], 1.4))

    # The far eye first, so the near one overlaps it a little.
    for cx, cy, rx, ry in ((57.8, 12.6, 3.9, 5.8), (50.5, 13, 4.3, 6.1)):
        p.shape(ellipse(cx, cy, rx, ry), WHITE, LINE)
        p.shape(ellipse(cx + 1.6, cy + 1.5, 1.9, 2.9), BLACK, 0)
        p.shape(circle(cx + 2.2, cy + 0.2, 0.8), WHITE, 0)

    # The bill, lower half under upper; it touches only white and the outline, so every
    # shade of its yellow is a plain mix with black or white.
    lower_bill = [(58, 26), (70, 27), (77, 28), (73, 31.5), (63, 32), (57, 29.5)]
    upper_bill = [(56, 20), (64, 18.5), (74, 19), (82, 21.5), (83, 24.5), (78, 27), (66, 27.5)]
    p.shape(blob(lower_bill), YELLOW, LINE)
    p.shape(blob(upper_bill + [(57, 26)]), YELLOW, LINE)
    p.ink(stroke([(76, 22), (78.5, 22.5)], 1.0))
    # The corner of the bill turns up: a smile.
    p.ink(stroke([(58.5, 27), (56, 25.5), (55, 23)], 1.2))

    # Bow under the chin.
    p.shape(blob([(55, 38), (49, 34.5), (47.5, 38.5), (49, 42)]), BOW, LINE)
    p.shape(blob([(55, 38), (61, 34.5), (62.5, 38.5), (61, 42)]), BOW, LINE)
    p.shape(ellipse(55, 38, 2, 2.3), BOW, LINE)

    # The front wing waves: a sleeve reaching forward, a white feather hand raised.
    wing_hand(p, 69, 45, -75)
    p.shape(blob([(44, 43), (54, 42), (64, 43.5), (65.5, 48.5), (55, 50.5), (45, 51)]), SHIRT, LINE)
    p.ink(stroke([(48, 48.5), (56, 47.5)], 1.0), SHIRT_SHADE)

    return p.render()
