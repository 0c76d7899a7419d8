#!/usr/bin/python3
"""Draws the program's icons and menu bitmaps and writes them into images/.

Every image is described as layers of shapes given by signed distance
functions and rendered with supersampling, so the same drawing serves every
size: the row icons at 16, 20, 24 and 32 pixels and the menu bitmaps at 12,
15, 18 and 24 (display scales of 100, 125, 150 and 200 %), the program icon up
to 48. Standard library only: run it with /usr/bin/python3.

    draw_resources.py [--preview sheet.png]

--preview also writes an enlarged sheet of every image for a visual check.
"""

import argparse
import math
import os
import struct
import zlib

SUPERSAMPLE = 6
IMAGES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")


# ---------------------------------------------------------------- shapes ----
# A shape is a function (x, y) -> signed distance in design units, negative
# inside. Design units are the icon's grid (16 for icons, 12 for bitmaps).

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    def sdf(x, y):
        dx, dy = (x - cx) / rx, (y - cy) / ry
        f = math.hypot(dx, dy)
        if f == 0.0:
            return -min(rx, ry)
        # First-order distance: the implicit value divided by its gradient.
        gx, gy = dx / (f * rx), dy / (f * ry)
        return (f - 1.0) / math.hypot(gx, gy)
    return sdf


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf


def polygon(points):
    edges = list(zip(points, points[1:] + points[:1]))

    def sdf(x, y):
        best = float("inf")
        inside = False
        for (ax, ay), (bx, by) in edges:
            ex, ey = bx - ax, by - ay
            t = ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)
            t = min(max(t, 0.0), 1.0)
            best = min(best, math.hypot(x - ax - ex * t, y - ay - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best
    return sdf


def segment(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    length2 = ex * ex + ey * ey

    def sdf(x, y):
        t = min(max(((x - ax) * ex + (y - ay) * ey) / length2, 0.0), 1.0)
        return math.hypot(x - ax - ex * t, y - ay - ey * t) - r
    return sdf


def arc(cx, cy, radius, half_width, start_deg, end_deg):
    """A band along a circle from start to end angle (degrees, y down, clockwise)."""
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    ends = [(cx + radius * math.cos(a), cy + radius * math.sin(a)) for a in (a0, a1)]

    def sdf(x, y):
        angle = math.atan2(y - cy, x - cx)
        while angle < a0:
            angle += 2 * math.pi
        if angle <= a1:
            distance = abs(math.hypot(x - cx, y - cy) - radius)
        else:
            distance = min(math.hypot(x - ex, y - ey) for ex, ey in ends)
        return distance - half_width
    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


# ---------------------------------------------------------------- paints ----

def solid(color):
    return lambda x, y: color


def mix(c0, c1, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def linear(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    return lambda x, y: mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / length2)


def radial(cx, cy, r, c0, c1):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / r)


# ---------------------------------------------------------------- layers ----
# A layer is (shape, paint, band, opacity): band None fills the shape; band w
# paints only the inner w pixels along its edge, which gives crisp outlines of
# the same pixel width at every size.

def fill(shape, paint, opacity=1.0):
    return (shape, paint, None, opacity)


def outline(shape, color, width_px):
    return (shape, solid(color), width_px, 1.0)


def render(layers, size, grid):
    """Returns size*size RGBA pixels (floats 0..255, alpha 0..1), rows top down."""
    unit = grid / float(size)  # design units per pixel
    offsets = [(k + 0.5) / SUPERSAMPLE for k in range(SUPERSAMPLE)]
    samples = SUPERSAMPLE * SUPERSAMPLE
    pixels = []
    for py in range(size):
        for px in range(size):
            r = g = b = a = 0.0
            for oy in offsets:
                y = (py + oy) * unit
                for ox in offsets:
                    x = (px + ox) * unit
                    sr = sg = sb = sa = 0.0
                    for shape, paint, band, opacity in layers:
                        d = shape(x, y)
                        if d > 0.0 or (band is not None and d < -band * unit):
                            continue
                        cr, cg, cb = paint(x, y)
                        sr += (cr - sr) * opacity
                        sg += (cg - sg) * opacity
                        sb += (cb - sb) * opacity
                        sa += (1.0 - sa) * opacity
                    r += sr * sa
                    g += sg * sa
                    b += sb * sa
                    a += sa
            if a > 0.0:
                pixels.append((r / a, g / a, b / a, a / samples))
            else:
                pixels.append((0.0, 0.0, 0.0, 0.0))
    return pixels


def on_background(pixels, color):
    return [tuple(c * a + bg * (1.0 - a) for c, bg in zip(p[:3], color)) + (1.0,)
            for p in pixels for a in (p[3],)]


def byte(value):
    return max(0, min(255, int(round(value))))


# ------------------------------------------------------------- drawings -----
# Icons use a 16-unit grid, menu bitmaps a 12-unit grid; px is one pixel in
# design units, so that thin details stay one pixel wide at every size.

def globe_with_grid(centre, radius, meridian_width, half, latitudes):
    """A globe and its grid lines: the axis, one meridian and the latitudes."""
    globe = circle(centre, centre, radius)
    meridian = ellipse(centre, centre, meridian_width, radius)
    grid = [
        intersect(globe, lambda x, y: abs(x - centre) - half),
        intersect(globe, lambda x, y: abs(meridian(x, y)) - half),
    ]
    grid += [intersect(globe, lambda x, y, at=at: abs(y - at) - half) for at in latitudes]
    return globe, grid


def program_icon(size):
    px = 16.0 / size
    line = 1 if size < 48 else 2
    half = 0.5 * px * line
    globe, grid = globe_with_grid(7.5, 6.5, 3.3, half, [4.5, 7.5, 10.5])
    arrow = union(box(5.0, 10.0, 12.0, 14.0), polygon([(10.0, 7.0), (15.0, 12.0), (10.0, 17.0)]))
    layers = [fill(globe, radial(5.2, 5.0, 9.0, (150, 205, 255), (20, 85, 185)))]
    layers += [fill(shape, solid((215, 235, 255)), 0.55) for shape in grid]
    layers += [
        outline(globe, (15, 55, 130), line),
        fill(arrow, linear(0, 8.0, (255, 215, 80), 0, 16.0, (235, 120, 15))),
        outline(arrow, (140, 65, 5), line),
    ]
    return layers


def folder_icon(size):
    line = 1 if size < 48 else 2
    back = polygon([(1.0, 2.0), (6.0, 2.0), (8.0, 4.0), (15.0, 4.0), (15.0, 14.0), (1.0, 14.0)])
    front = box(1.0, 6.0, 15.0, 14.0)
    return [
        fill(back, linear(0, 2.0, (240, 190, 60), 0, 14.0, (215, 155, 30))),
        outline(back, (150, 100, 15), line),
        fill(front, linear(0, 6.0, (255, 232, 130), 0, 14.0, (248, 195, 55))),
        outline(front, (150, 100, 15), line),
    ]


def file_icon(size):
    px = 16.0 / size
    line = 1 if size < 48 else 2
    page = polygon([(3.0, 0.0), (9.0, 0.0), (13.0, 4.0), (13.0, 16.0), (3.0, 16.0)])
    fold = polygon([(9.0, 0.0), (9.0, 4.0), (13.0, 4.0)])
    layers = [
        fill(page, linear(3.0, 0.0, (255, 255, 255), 13.0, 16.0, (226, 233, 244))),
        outline(page, (105, 115, 135), line),
        fill(fold, linear(9.0, 4.0, (200, 208, 224), 13.0, 0.0, (245, 247, 251))),
        outline(fold, (105, 115, 135), line),
    ]
    rows = [6.0, 8.0, 10.0, 12.0] if size < 32 else [6.0, 7.5, 9.0, 10.5, 12.0]
    for index, row in enumerate(rows):
        right = 11.0 if index % 3 != 2 else 9.0
        layers.append(fill(box(5.0, row, right, row + px * line), solid((125, 140, 175))))
    return layers


def parent_icon(size):
    line = 1 if size < 48 else 2
    arrow = union(
        arc(8.0, 8.0, 3.5, 1.5, -90.0, 0.0),
        box(10.0, 8.0, 13.0, 15.0),
        polygon([(8.0, 0.0), (8.0, 9.0), (3.5, 4.5)]),
    )
    return [
        fill(arrow, linear(0, 0.0, (140, 225, 110), 0, 15.0, (30, 140, 40))),
        outline(arrow, (20, 95, 25), line),
    ]


def pixel_art(rows, left, top):
    """The '#' cells of rows as one shape, one design unit per cell."""
    return union(*[box(left + x, top + y, left + x + 1, top + y + 1)
                   for y, row in enumerate(rows) for x, cell in enumerate(row) if cell == "#"])


def globe_bitmap(size):
    half = 0.5 * 12.0 / size
    globe, grid = globe_with_grid(6.5, 5.5, 2.8, half, [6.5])
    layers = [fill(globe, radial(4.7, 4.5, 7.5, (150, 205, 255), (20, 85, 185)))]
    layers += [fill(shape, solid((215, 235, 255)), 0.6) for shape in grid]
    layers.append(outline(globe, (15, 55, 130), 1))
    return layers


def balloon_bitmap(size):
    body = union(ellipse(5.5, 5.0, 5.5, 4.5), polygon([(2.0, 7.0), (1.0, 12.0), (6.0, 9.0)]))
    ink = (35, 75, 155)
    layers = [
        fill(body, linear(0, 0.5, (255, 255, 255), 0, 9.5, (205, 225, 250))),
        outline(body, ink, 1),
    ]
    layers += [fill(box(x, 4.0, x + 1.0, 6.0), solid(ink)) for x in (2.0, 5.0, 8.0)]
    return layers


def redcross_bitmap(size):
    cross = union(segment(2.5, 2.5, 9.5, 9.5, 1.8), segment(9.5, 2.5, 2.5, 9.5, 1.8))
    return [
        fill(cross, linear(0, 1, (250, 90, 75), 0, 11, (200, 20, 20))),
        outline(cross, (130, 10, 10), 1),
    ]


QUESTION_MARK = [
    ".###.",
    "#...#",
    "....#",
    "...#.",
    "..#..",
    ".....",
    "..#..",
]


def question_mark(size):
    """Pixel art at 12 pixels; larger sizes, whose cells would fall between
    pixels, get the same mark drawn as strokes."""
    if size <= 12:
        return pixel_art(QUESTION_MARK, 4.0, 3.0)
    half = 0.6
    hook_end = (6.5 + 1.8 * math.cos(math.radians(60.0)), 5.0 + 1.8 * math.sin(math.radians(60.0)))
    return union(
        arc(6.5, 5.0, 1.8, half, -180.0, 60.0),
        segment(hook_end[0], hook_end[1], 6.5, 7.4, half),
        segment(6.5, 7.4, 6.5, 7.9, half),
        circle(6.5, 9.6, 0.8),
    )


def question_bitmap(size):
    disc = circle(6.5, 6.5, 5.5)
    return [
        fill(disc, radial(4.7, 4.5, 7.5, (110, 170, 250), (20, 75, 180))),
        outline(disc, (15, 50, 130), 1),
        fill(question_mark(size), solid((255, 255, 255))),
    ]


def house_bitmap(size):
    roof = polygon([(6.0, 0.0), (12.0, 6.0), (0.0, 6.0)])
    walls = box(2.0, 5.0, 10.0, 12.0)
    door = box(5.0, 8.0, 7.0, 12.0)
    chimney = box(8.0, 1.0, 10.0, 4.0)
    return [
        fill(chimney, solid((150, 60, 40))),
        outline(chimney, (90, 30, 20), 1),
        fill(walls, linear(0, 5.0, (255, 248, 230), 0, 12.0, (235, 220, 190))),
        outline(walls, (110, 75, 45), 1),
        fill(door, solid((150, 95, 45))),
        fill(roof, linear(0, 0.0, (240, 85, 60), 0, 6.0, (185, 35, 25))),
        outline(roof, (120, 20, 15), 1),
    ]


ICONS = [
    ("program.ico", program_icon, (16, 20, 24, 32, 48)),
    ("folder.ico", folder_icon, (16, 20, 24, 32)),
    ("file.ico", file_icon, (16, 20, 24, 32)),
    ("parent.ico", parent_icon, (16, 20, 24, 32)),
]

BITMAPS = [
    ("globe.bmp", globe_bitmap),
    ("balloon.bmp", balloon_bitmap),
    ("redcross.bmp", redcross_bitmap),
    ("question.bmp", question_bitmap),
    ("house.bmp", house_bitmap),
]

# 12 x 12 at 96 DPI; each larger size goes into a file of its own, named
# with the size ("globe-18.bmp"), since a bitmap resource holds one size.
BITMAP_SIZES = (12, 15, 18, 24)
MENU_BACKGROUND = (255, 255, 255)  # menus AND check bitmaps: white shows as the menu colour


def bitmap_file_name(name, size):
    if size == BITMAP_SIZES[0]:
        return name
    stem, extension = os.path.splitext(name)
    return f"{stem}-{size}{extension}"


# -------------------------------------------------------------- writers -----

def padded(row):
    return row + b"\0" * (-len(row) % 4)


def dib_header(width, height, bits, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_bytes, 0, 0, 0, 0)


def rows_bottom_up(pixels, size):
    return [pixels[y * size:(y + 1) * size] for y in reversed(range(size))]


def and_mask(pixels, size):
    mask = b""
    for row in rows_bottom_up(pixels, size):
        bits = bytearray((size + 7) // 8)
        for x, p in enumerate(row):
            if p[3] < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(bits))
    return mask


def icon_image(pixels, size, bits):
    if bits == 32:
        color = b"".join(bytes((byte(p[2]), byte(p[1]), byte(p[0]), byte(p[3] * 255))) for p in pixels_bottom_up(pixels, size))
    else:
        # Without alpha, a pixel is either painted or masked out; painted edge
        # pixels are blended with a neutral grey so that they suit most backgrounds.
        color = b""
        for row in rows_bottom_up(pixels, size):
            line = b""
            for p in row:
                if p[3] < 0.5:
                    line += b"\0\0\0"
                else:
                    c = [v * p[3] + 200 * (1.0 - p[3]) for v in p[:3]]
                    line += bytes((byte(c[2]), byte(c[1]), byte(c[0])))
            color += padded(line)
    mask = and_mask(pixels, size)
    return dib_header(size, size * 2, bits, len(color) + len(mask)) + color + mask


def pixels_bottom_up(pixels, size):
    return [p for row in rows_bottom_up(pixels, size) for p in row]


def write_icon(path, images):
    """images: list of (size, pixels); each size is stored as 32-bit and as 24-bit."""
    entries = []
    for size, pixels in images:
        for bits in (32, 24):
            entries.append((size, bits, icon_image(pixels, size, bits)))
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(header) + 16 * len(entries)
    directory = b""
    for size, bits, data in entries:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(header + directory + b"".join(data for _, _, data in entries))


def write_bitmap(path, pixels, size):
    body = b""
    for row in rows_bottom_up(pixels, size):
        body += padded(b"".join(bytes((byte(p[2]), byte(p[1]), byte(p[0]))) for p in row))
    info = dib_header(size, size, 24, len(body))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    with open(path, "wb") as out:
        out.write(file_header + info + body)


def write_png(path, width, height, rgb_rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(row) for row in rgb_rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


# -------------------------------------------------------------- preview -----

def write_preview(path, rendered):
    """One row per image: actual size on white, grey and dark, then 8x enlarged on white and dark."""
    zoom, gap = 8, 8
    backgrounds = [(255, 255, 255), (240, 240, 240), (40, 60, 90)]
    rows = []
    for pixels, size in rendered:
        tiles = [(on_background(pixels, bg), size, 1) for bg in backgrounds]
        tiles += [(on_background(pixels, bg), size, zoom) for bg in (backgrounds[0], backgrounds[2])]
        rows.append(tiles)
    width = max(sum(s * z + gap for _, s, z in tiles) for tiles in rows) + gap
    height = sum(max(s * z for _, s, z in tiles) + gap for tiles in rows) + gap
    canvas = [bytearray([200, 200, 200] * width) for _ in range(height)]
    top = gap
    for tiles in rows:
        left = gap
        for pixels, size, z in tiles:
            for y in range(size * z):
                for x in range(size * z):
                    p = pixels[(y // z) * size + x // z]
                    canvas[top + y][(left + x) * 3:(left + x) * 3 + 3] = bytes(byte(c) for c in p[:3])
            left += size * z + gap
        top += max(s * z for _, s, z in tiles) + gap
    write_png(path, width, height, canvas)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also write an enlarged PNG sheet of every image")
    args = parser.parse_args()

    os.makedirs(IMAGES_DIR, exist_ok=True)
    rendered = []
    for name, draw, sizes in ICONS:
        images = [(size, render(draw(size), size, 16)) for size in sizes]
        write_icon(os.path.join(IMAGES_DIR, name), images)
        rendered += [(pixels, size) for size, pixels in images]
    for name, draw in BITMAPS:
        for size in BITMAP_SIZES:
            pixels = on_background(render(draw(size), size, 12), MENU_BACKGROUND)
            write_bitmap(os.path.join(IMAGES_DIR, bitmap_file_name(name, size)), pixels, size)
            rendered.append((pixels, size))
    if args.preview:
        write_preview(args.preview, rendered)


if __name__ == "__main__":
    main()
