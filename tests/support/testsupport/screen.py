# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""What is only drawn: screen pixels as rows of (r, g, b), and the verdict told by its colour."""

GREEN = (0, 128, 0)
RED = (192, 0, 0)
VERDICT_COLOURS = {"Login korrekt!": GREEN, "Login falsch!": RED}


def x_pixels(x=0, y=0, width=None, height=None):
    """A rectangle of the X screen (the whole screen by default)."""
    from Xlib import X, display
    connection = display.Display()
    try:
        root = connection.screen().root
        geometry = root.get_geometry()
        width = geometry.width - x if width is None else width
        height = geometry.height - y if height is None else height
        data = root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF).data
    finally:
        connection.close()
    # 32 bits a pixel, blue first.
    return [[(data[i + 2], data[i + 1], data[i]) for i in range(row * width * 4, (row + 1) * width * 4, 4)]
            for row in range(height)]


def parse_ppm(data):
    """Rows of (r, g, b) from a binary PPM (P6) image with 8-bit samples."""
    fields = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        if data[position:position + 1] == b"#":
            position = data.index(b"\n", position) + 1
            continue
        start = position
        while not data[position:position + 1].isspace():
            position += 1
        fields.append(data[start:position])
    position += 1
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    body = data[position:position + width * height * 3]
    return [[tuple(body[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]


def count(pixels, colour):
    return sum(row.count(colour) for row in pixels)


def verdict_shown(pixels, least=100):
    """The verdict whose colour at least `least` pixels show, or None while neither or both do."""
    shown = [verdict for verdict, colour in VERDICT_COLOURS.items() if count(pixels, colour) >= least]
    return shown[0] if len(shown) == 1 else None
