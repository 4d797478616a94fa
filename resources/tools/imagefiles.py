"""Writers for the picture files the program ships: XPM, PNG and ICO, standard library only.

An image here is (width, height, pixels) with pixels a row-major list of (r, g, b, a) tuples;
alpha is 0 or 255 throughout, since every picture of the program has a plain on/off mask.
"""

import struct
import zlib

XPM_CHARS = (
    ".#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    "+@$%&*=-;:>,<1/()[]{}|~^!?_"
)


def _xpm_code_width(count):
    width = 1
    while len(XPM_CHARS) ** width < count:
        width += 1
    return width


def _xpm_code(index, width):
    code = ""
    for _ in range(width):
        code = XPM_CHARS[index % len(XPM_CHARS)] + code
        index //= len(XPM_CHARS)
    return code


def write_xpm(path, name, image, preferred=None):
    """Writes an XPM; preferred maps colours to one-letter codes so small icons stay readable."""
    width, height, pixels = image
    colours = []
    for p in pixels:
        key = None if p[3] == 0 else p[:3]
        if key not in colours:
            colours.append(key)
    # Transparent first, then the colours in order of appearance: a stable, diffable file.
    colours = ([None] if None in colours else []) + [c for c in colours if c is not None]
    codes = {}
    preferred = preferred or {}
    char_width = 1 if len(colours) <= len(XPM_CHARS) else _xpm_code_width(len(colours))
    used = set()
    if char_width == 1:
        for c in colours:
            letter = " " if c is None else preferred.get(c)
            if letter and letter not in used:
                codes[c] = letter
                used.add(letter)
    spare = (
        _xpm_code(i, char_width)
        for i in range(len(XPM_CHARS) ** char_width)
        if _xpm_code(i, char_width) not in used
    )
    for c in colours:
        if c not in codes:
            codes[c] = next(spare)
    lines = ["/* XPM */", f"static const char *const {name}[] = {{"]
    lines.append(f'"{width} {height} {len(colours)} {char_width}",')
    for c in colours:
        spec = "None" if c is None else "#%02X%02X%02X" % c
        lines.append(f'"{codes[c]} c {spec}",')
    for y in range(height):
        row = "".join(
            codes[None if p[3] == 0 else p[:3]] for p in pixels[y * width : (y + 1) * width]
        )
        lines.append(f'"{row}"' + ("," if y + 1 < height else ""))
    lines.append("};")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def png_bytes(image):
    width, height, pixels = image
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for p in pixels[y * width : (y + 1) * width]:
            raw.extend(p if p[3] else (0, 0, 0, 0))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + chunk(b"IEND", b"")
    )


def write_png(path, image):
    with open(path, "wb") as f:
        f.write(png_bytes(image))


def _dib_bytes(image):
    """A 32-bit BGRA icon bitmap with its AND mask, the form every Windows version reads."""
    width, height, pixels = image
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for y in reversed(range(height)):
        row_mask = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = pixels[y * width + x]
            colour.extend((b, g, r, a) if a else (0, 0, 0, 0))
            if not a:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask.extend(row_mask)
    return header + bytes(colour) + bytes(mask)


def write_ico(path, images):
    entries = b""
    blobs = b""
    offset = 6 + 16 * len(images)
    for image in images:
        blob = _dib_bytes(image)
        width, height = image[0], image[1]
        entries += struct.pack(
            "<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob), offset
        )
        offset += len(blob)
        blobs += blob
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


def scaled(image, factor):
    """Nearest-neighbour enlargement, which keeps pixel art crisp."""
    width, height, pixels = image
    out = []
    for y in range(height * factor):
        row = pixels[(y // factor) * width : (y // factor + 1) * width]
        for p in row:
            out.extend([p] * factor)
    return (width * factor, height * factor, out)
