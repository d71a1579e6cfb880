#!/usr/bin/env python3
"""Draws the program's pictures and writes them into res/: the 197 x 66 24-bit logo
(logo.bmp) and the 32 x 32 256-colour icon (Pelkarin.ico). Standard library only; the
output is the same on every run."""
import math
import os
import struct

# A small bold capital font, 5 x 7 cells.
GLYPHS = {
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
}
ADVANCE = 6.4      # cells from one letter to the next
SLANT = 0.24       # italic shear: cells to the right per cell up
BOLD = 0.45        # extra stroke width in cells


def ink(text, u, v):
    """Whether the point (u, v), in cells from the text's top-left corner, is on a letter."""
    if v < 0 or v >= 7:
        return False
    row = int(v)
    for shift in (0.0, BOLD):
        cu = u - shift
        index = int(cu // ADVANCE)
        if 0 <= index < len(text):
            cell = cu - index * ADVANCE
            if 0 <= cell < 5 and GLYPHS[text[index]][row][int(cell)] == "#":
                return True
    return False


def coverage(width, height, lines, cell):
    """Anti-aliased ink coverage of centred lines of text, 4 x 4 samples a pixel."""
    text_height = 7 * cell
    gap = cell * 1.2
    block = len(lines) * text_height + (len(lines) - 1) * gap
    top = (height - block) / 2
    cover = [[0.0] * width for _ in range(height)]
    for number, text in enumerate(lines):
        y0 = top + number * (text_height + gap)
        text_width = ((len(text) - 1) * ADVANCE + 5 + BOLD + 7 * SLANT) * cell
        x0 = (width - text_width) / 2
        for y in range(height):
            for x in range(width):
                hits = 0
                for sy in range(4):
                    py = y + (sy + 0.5) / 4
                    v = (py - y0) / cell
                    if v < 0 or v >= 7:
                        continue
                    for sx in range(4):
                        px = x + (sx + 0.5) / 4
                        u = (px - x0) / cell - (7 - v) * SLANT
                        hits += ink(text, u, v)
                cover[y][x] += hits / 16
    return cover


def blur(values, radius, passes):
    height, width = len(values), len(values[0])
    for _ in range(passes):
        rows = []
        for y in range(height):
            row = values[y]
            rows.append([sum(row[max(0, x - radius):x + radius + 1]) / (2 * radius + 1) for x in range(width)])
        values = [[sum(rows[yy][x] for yy in range(max(0, y - radius), min(height, y + radius + 1))) / (2 * radius + 1)
                   for x in range(width)] for y in range(height)]
    return values


def lattice(ix, iy):
    n = (ix * 374761393 + iy * 668265263) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


def smooth_noise(x, y):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    top = lattice(ix, iy) * (1 - fx) + lattice(ix + 1, iy) * fx
    bottom = lattice(ix, iy + 1) * (1 - fx) + lattice(ix + 1, iy + 1) * fx
    return top * (1 - fy) + bottom * fy


def marble(x, y):
    """Silver-grey veins: a grey level of 0 to 255."""
    turbulence = smooth_noise(x / 6, y / 6) + 0.5 * smooth_noise(x / 3, y / 3)
    vein = 0.5 + 0.5 * math.sin(0.32 * x + 0.18 * y + 4.0 * turbulence)
    return 135 + 110 * vein ** 0.6


def render(width, height, lines, cell):
    """Rows of (r, g, b): marbled letters in a soft blue glow on pure black."""
    cover = coverage(width, height, lines, cell)
    glow = blur(cover, 2, 3)
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            c = min(1.0, cover[y][x])
            g = min(1.0, glow[y][x] * 2.2)
            grey = marble(x, y)
            halo = (40 * g, 110 * g, 255 * g)
            silver = (grey, grey, min(255, grey + 10))
            colour = [round(halo[i] * (1 - c) + silver[i] * c) for i in range(3)]
            if max(colour) < 8:
                colour = [0, 0, 0]
            row.append(tuple(colour))
        pixels.append(row)
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + body)


def palette_256():
    """A 6 x 7 x 6 colour cube and four extra greys."""
    colours = [(round(r * 51), round(g * 42.5), round(b * 51)) for r in range(6) for g in range(7) for b in range(6)]
    colours += [(64, 64, 64), (128, 128, 128), (192, 192, 192), (224, 224, 224)]
    return colours


def write_ico(path, pixels):
    height, width = len(pixels), len(pixels[0])
    palette = palette_256()

    def nearest(colour):
        return min(range(len(palette)), key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))

    xor = bytearray()
    for row in reversed(pixels):
        xor += bytes(nearest(colour) for colour in row)
    mask = bytes(((width + 31) // 32) * 4 * height)   # every pixel opaque
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = info + colours + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", width, height, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + image)


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    write_bmp(os.path.join(res, "logo.bmp"), render(197, 66, ["PEL", "KARIN"], 3.5))
    write_ico(os.path.join(res, "Pelkarin.ico"), render(32, 32, ["P"], 3.4))


if __name__ == "__main__":
    main()
