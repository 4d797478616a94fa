#!/usr/bin/env python3
"""Draws every picture of Kehrzähler into resources/: icons, the duck, the desktop icon files.

Run it after changing a drawing (python3 resources/tools/draw_pictures.py); the build only
uses the files it writes, which are committed next to it. Needs nothing beyond Python 3.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # no __pycache__ next to the committed sources

import atlas_icon  # noqa: E402
import duck  # noqa: E402
import icons  # noqa: E402
import imagefiles  # noqa: E402

RESOURCES = os.path.dirname(HERE)
DESKTOP_ID = "de.auental.kehrzaehler"
ATLAS_DESKTOP_ID = "de.auental.kehrzahl_atlas"


def check_yellow_is_unambiguous(image):
    """The mirrored picture recolours yellow by a colour rule; no other colour may come near it.

    Everything drawn on top of or under yellow is black or white, so each yellow shade has equal
    red and green. A colour that is clearly yellowish yet has unequal red and green would be a
    mix with some third colour, and the rule might treat it either way: refuse to write that.
    """
    for r, g, b, a in image[2]:
        if a and min(r, g) - b >= 16 and r != g and abs(r - g) <= 48:
            raise SystemExit(f"ambiguous yellow shade {(r, g, b)} in the duck")


def write_hicolor(desktop_id, icon):
    """The desktop icon in four sizes: 16 and 32 as drawn, 64 and 128 the 32 scaled up."""
    hicolor = os.path.join(RESOURCES, "desktop", "hicolor")
    renders = {16: icon[16], 32: icon[32]}
    renders.update({64: imagefiles.scaled(icon[32], 2), 128: imagefiles.scaled(icon[32], 4)})
    for size, image in renders.items():
        folder = os.path.join(hicolor, f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        imagefiles.write_png(os.path.join(folder, f"{desktop_id}.png"), image)


def main():
    os.makedirs(os.path.join(RESOURCES, "icons"), exist_ok=True)
    for name, large, small in icons.all_icons():
        for size, canvas in ((32, large), (16, small)):
            colours = {p[:3] for p in canvas.image()[2] if p[3]}
            assert len(colours) <= 16, f"{name} {size}: {len(colours)} colours"
            path = os.path.join(RESOURCES, "icons", f"{name}-{size}.xpm")
            ident = f"{name.replace('-', '_')}_{size}"
            imagefiles.write_xpm(path, ident, canvas.image(), canvas.letters())
        if name == "program":
            program = {32: large.image(), 16: small.image()}

    imagefiles.write_ico(
        os.path.join(RESOURCES, "icons", "kehrzaehler.ico"), [program[16], program[32]]
    )
    write_hicolor(DESKTOP_ID, program)
    large, small = atlas_icon.atlas_icons()
    for size, canvas in ((32, large), (16, small)):
        colours = {p[:3] for p in canvas.image()[2] if p[3]}
        assert len(colours) <= 16, f"atlas {size}: {len(colours)} colours"
    write_hicolor(ATLAS_DESKTOP_ID, {32: large.image(), 16: small.image()})

    picture = duck.draw()
    check_yellow_is_unambiguous(picture)
    os.makedirs(os.path.join(RESOURCES, "pictures"), exist_ok=True)
    imagefiles.write_xpm(os.path.join(RESOURCES, "pictures", "duck.xpm"), "duck", picture)


if __name__ == "__main__":
    main()
