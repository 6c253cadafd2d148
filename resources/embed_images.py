#!/usr/bin/env python3
"""embed_images.py OUTPUT RESOURCE_DIR LOOK_DIRS IDS: writes a C++ source with the game's images.

Every image has the same shapes in each look, only its colours differ. So each image is compiled in once,
as its shape (one byte a pixel, rows from the top: which of its few colours the pixel has) beside each
look's colours for those indices. The page downloads a third of the pixels, and nothing decodes BMP files
at run time. LOOK_DIRS are the folders under RESOURCE_DIR of the looks, comma separated, in the order of
core/looks.h ("." for the classic look); IDS the image ids, comma separated.
"""
import struct
import sys

MAX_COLOURS = 4  # IMAGE_COLOURS in core/images.h


def read_bmp(path):
    """The width, height and 0xAARRGGBB pixels, rows from the top, of an uncompressed BMP file."""
    with open(path, 'rb') as file:
        data = file.read()
    if data[:2] != b'BM' or len(data) < 54:
        sys.exit(f'embed_images.py: {path} is not a BMP file')
    pixels_at, = struct.unpack_from('<I', data, 10)
    header_size, width, height, _, bits, compression, _, _, _, used = struct.unpack_from('<IiiHHIIiiI', data, 14)
    if compression != 0 or bits not in (1, 4, 8, 24) or width <= 0 or height == 0:
        sys.exit(f'embed_images.py: {path}: only uncompressed BMPs of 1, 4, 8 or 24 bits are read')
    palette = []
    for i in range(used or (1 << bits if bits <= 8 else 0)):
        blue, green, red = data[14 + header_size + 4 * i:14 + header_size + 4 * i + 3]
        palette.append(0xFF000000 | red << 16 | green << 8 | blue)
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(abs(height)):
        row = data[pixels_at + y * stride:pixels_at + (y + 1) * stride]
        if bits == 24:
            rows.append([0xFF000000 | row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x] for x in range(width)])
        else:
            per_byte = 8 // bits
            indices = [row[x // per_byte] >> (8 - bits * (x % per_byte + 1)) & ((1 << bits) - 1) for x in range(width)]
            rows.append([palette[i] for i in indices])
    if height > 0:
        rows.reverse()  # stored from the bottom up
    return width, abs(height), [pixel for row in rows for pixel in row]


def shape_and_colours(path_of_look):
    """One image in every look: its size, its shape and each look's colours, in the order first met."""
    looks = [read_bmp(path) for path in path_of_look]
    width, height, _ = looks[0]
    for path, (w, h, _) in zip(path_of_look, looks):
        if (w, h) != (width, height):
            sys.exit(f'embed_images.py: {path} is {w} x {h}, not {width} x {height} as in the first look')
    # A pixel's index is that of its colours in all the looks together.
    index_of = {}
    shape = [index_of.setdefault(colours, len(index_of)) for colours in zip(*(pixels for _, _, pixels in looks))]
    if len(index_of) > MAX_COLOURS:
        sys.exit(f'embed_images.py: {path_of_look[0]} and its other looks have more than {MAX_COLOURS} shades')
    colours = [[0] * MAX_COLOURS for _ in looks]
    for combination, index in index_of.items():
        for look, colour in enumerate(combination):
            colours[look][index] = colour
    return width, height, shape, colours


def main():
    output, resource_dir, look_dirs, ids = sys.argv[1:]
    look_dirs = look_dirs.split(',')
    shapes = []
    entries = []
    for image_id in ids.split(','):
        width, height, shape, colours = shape_and_colours([f'{resource_dir}/{look}/{image_id}.bmp' for look in look_dirs])
        shapes.append(f'const uint8_t SHAPE_{image_id}[] = {{{",".join(map(str, shape))}}};\n')
        looks = ', '.join('{' + ', '.join(f'0x{c:08X}' for c in look) + '}' for look in colours)
        entries.append(f'    {{{image_id}, {width}, {height}, SHAPE_{image_id}, {{{{{looks}}}}}}},\n')
    with open(output, 'w') as file:
        file.write('// Generated from resources/*.bmp by embed_images.py; do not edit.\n')
        file.write('#include "core/images.h"\n\nnamespace tessel {\nnamespace {\n')
        file.writelines(shapes)
        file.write('}  // namespace\n\nconst std::array<EmbeddedImage, IMAGE_COUNT> EMBEDDED_IMAGES{{\n')
        file.writelines(entries)
        file.write('}};\n\n}  // namespace tessel\n')


main()
