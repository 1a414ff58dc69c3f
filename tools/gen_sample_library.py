#!/usr/bin/python3
"""Writes the sample material library (sample/ZOR) and the driver's hand-off
input (sample/Engravix/~Drv2Ma.dat).

The library root holds one parameter folder per machine model. Model "R250"
has three groups, every other model one. The program gives each material the
picture of its running number within its group (categories and materials in
name order), so the order of the rows below follows the picture lists of the
program and each material is named after the subject of its picture. Names
are chosen so that their name order is the row order; the script checks it.

Values: mark mode 1 B/W, 2 MCF, 3 3D, 4 Stamp; speed in tenths of a per cent
(0..1000); power per cent (0..100); PPI 0..1525; resolution one of the eight
steps. AIR (air assist on or off) is not read by the program; it shows that
other keys survive.

Run: /usr/bin/python3 tools/gen_sample_library.py
"""
import codecs
import os
import shutil

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample")

RESOLUTIONS = (125, 250, 300, 380, 500, 600, 760, 1000)
B_W, MCF, THREE_D, STAMP = 1, 2, 3, 4

# Group "1_Engrave": raster engraving. (category, material, picture, mode, speed, power, ppi, resolution, air)
ENGRAVE = [
    ("Cardboard", "Puzzle board", 154, B_W, 1000, 25, 500, 500, 0),
    ("Crystal", "Acrylic block", 155, B_W, 1000, 40, 500, 500, 0),
    ("Crystal", "Glass block", 157, B_W, 1000, 35, 300, 300, 0),
    ("Metal", "Black box lid", 158, B_W, 1000, 30, 500, 500, 0),
    ("Metal", "Key tag anodised", 159, B_W, 1000, 45, 1000, 600, 0),
    ("Plastic", "Laminate 2-colour", 160, B_W, 1000, 35, 500, 500, 0),
    ("Plastic", "Laminate dark", 161, B_W, 900, 30, 500, 500, 0),
    ("Rubber", "Laser rubber", 162, STAMP, 300, 100, 500, 500, 1),
    ("Rubber", "Odourless rubber", 163, STAMP, 350, 90, 500, 500, 1),
    ("Various", "Ceramic tile", 164, B_W, 700, 60, 600, 500, 0),
    ("Various", "Copy paper", 165, B_W, 1000, 8, 300, 380, 0),
    ("Various", "Denim", 167, B_W, 1000, 15, 400, 380, 0),
    ("Various", "Leather", 168, B_W, 1000, 30, 500, 500, 0),
    ("Wood", "Birch plywood", 169, B_W, 800, 55, 500, 500, 1),
    ("Wood", "Maple strip", 170, B_W, 1000, 50, 500, 500, 1),
]

# Group "2_Photo": the same materials with photo settings (MCF dithering,
# 3D relief for rubber and wood) at finer resolutions.
PHOTO = [
    ("Cardboard", "Puzzle board", 154, MCF, 1000, 22, 500, 600, 0),
    ("Crystal", "Acrylic block", 155, MCF, 1000, 30, 500, 600, 0),
    ("Crystal", "Glass block", 157, MCF, 1000, 30, 300, 380, 0),
    ("Metal", "Black box lid", 158, MCF, 1000, 25, 600, 760, 0),
    ("Metal", "Key tag anodised", 159, MCF, 1000, 40, 1000, 760, 0),
    ("Plastic", "Laminate 2-colour", 160, MCF, 1000, 30, 500, 600, 0),
    ("Plastic", "Laminate dark", 161, MCF, 1000, 28, 500, 600, 0),
    ("Rubber", "Laser rubber", 162, THREE_D, 250, 100, 500, 500, 1),
    ("Rubber", "Odourless rubber", 163, THREE_D, 300, 95, 500, 500, 1),
    ("Various", "Ceramic tile", 164, MCF, 800, 50, 600, 600, 0),
    ("Various", "Copy paper", 165, MCF, 1000, 6, 300, 500, 0),
    ("Various", "Denim", 167, MCF, 1000, 12, 400, 500, 0),
    ("Various", "Leather", 168, MCF, 1000, 25, 500, 600, 0),
    ("Wood", "Birch plywood", 169, THREE_D, 500, 70, 500, 500, 1),
    ("Wood", "Maple strip", 170, THREE_D, 600, 65, 500, 500, 1),
]

# Group "3_Vector": cutting and scoring along vector lines: slow, with air.
VECTOR = [
    ("Cutting", "Card red 1 mm", 174, B_W, 60, 60, 300, 500, 1),
    ("Cutting", "Paper red 160 g", 175, B_W, 150, 20, 250, 500, 1),
    ("Cutting", "Plexiglas red 3 mm", 173, B_W, 12, 100, 1000, 500, 1),
    ("Gifts", "Cardboard puzzle", 154, B_W, 40, 80, 300, 500, 1),
    ("Gifts", "Crystal acrylic block", 155, B_W, 100, 30, 1000, 500, 1),
    ("Gifts", "Glass block", 157, B_W, 150, 25, 300, 500, 0),
    ("Gifts", "Plywood 3 mm", 169, B_W, 15, 100, 400, 500, 1),
    ("Gifts", "Wood strip", 170, B_W, 20, 95, 400, 500, 1),
    ("Signs", "Laminate 2-colour", 160, B_W, 30, 70, 500, 500, 1),
    ("Signs", "Laminate dark", 161, B_W, 35, 65, 500, 500, 1),
    ("Signs", "Painted box lid", 158, B_W, 200, 40, 500, 500, 1),
    ("Signs", "Tag aluminium", 159, B_W, 100, 60, 1000, 500, 0),
    ("Various", "Laser rubber", 162, B_W, 20, 100, 500, 500, 1),
    ("Various", "Odourless rubber", 163, B_W, 25, 100, 500, 500, 1),
    ("Various", "Photo tile", 164, B_W, 150, 60, 600, 500, 0),
    ("Various", "Silhouette paper", 165, B_W, 200, 15, 250, 500, 1),
    ("Various", "Twill denim", 167, B_W, 150, 35, 300, 500, 1),
    ("Various", "Vegetable leather", 168, B_W, 25, 85, 400, 500, 1),
    ("Various", "Veneer plywood", 169, B_W, 40, 90, 400, 500, 1),
    ("Various", "Wood strip", 170, B_W, 20, 95, 400, 500, 1),
]

# The one group of the other models (picture 176 is the general picture).
# Values for the standard machine; see OTHER_MODELS for the others.
MATERIALS = [
    ("Board", "Cardboard", 176, B_W, 1000, 20, 500, 500, 0),
    ("Board", "Puzzle board", 154, B_W, 1000, 25, 500, 500, 0),
    ("Crystal", "Acrylic block", 155, B_W, 1000, 40, 500, 500, 0),
    ("Crystal", "Acrylic sheet", 176, B_W, 1000, 35, 500, 500, 0),
    ("Crystal", "Glass block", 157, B_W, 1000, 35, 300, 300, 0),
    ("Leather", "Cowhide", 176, B_W, 1000, 30, 500, 500, 0),
    ("Leather", "Synthetic leather", 176, B_W, 1000, 20, 400, 500, 0),
    ("Plastic", "Laminate 2-colour", 160, B_W, 1000, 35, 500, 500, 0),
    ("Plastic", "Laminate dark", 161, B_W, 900, 30, 500, 500, 0),
    ("Plastic", "Polycarbonate", 176, B_W, 1000, 25, 500, 500, 0),
    ("Rubber", "Laser rubber", 176, STAMP, 300, 100, 500, 500, 1),
    ("Rubber", "Odourless rubber", 176, STAMP, 350, 90, 500, 500, 1),
    ("Stone", "Granite", 176, B_W, 600, 70, 500, 500, 0),
    ("Stone", "Photo tile", 164, MCF, 800, 50, 600, 600, 0),
    ("Textile", "Cotton", 176, B_W, 1000, 12, 400, 380, 0),
    ("Textile", "Felt", 176, B_W, 1000, 15, 400, 380, 0),
    ("Wood", "Birch plywood", 169, B_W, 800, 55, 500, 500, 1),
    ("Wood", "Maple strip", 170, B_W, 1000, 50, 500, 500, 1),
    ("Wood", "Oak veneer", 176, B_W, 1000, 45, 500, 500, 1),
    ("Wood", "Walnut", 176, B_W, 900, 50, 500, 500, 1),
]

# Folder, power factor and speed factor: the XL machine has the strongest
# tube, the VTE the weakest.
OTHER_MODELS = [
    ("parameter_VortanXL", 0.8, 1.0),
    ("parameter_Vortan", 1.0, 1.0),
    ("parameter_VTE", 1.25, 0.8),
]

# The picture lists of the program, by running number within a group.
R250_PICTURES = {
    "1_Engrave": [154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 167, 168, 169, 170],
    "2_Photo": [154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 167, 168, 169, 170],
    "3_Vector": [174, 175, 173, 154, 155, 157, 169, 170, 160, 161, 158, 159, 162, 163, 164, 165, 167, 168, 169, 170],
}
OTHER_PICTURES = [176, 154, 155, 176, 157, 176, 176, 160, 161, 176, 176, 176, 176, 164, 176, 176, 169, 170] + [176] * 15


def file_order_key(name):
    """Name order of the program's scan: upper-cased UTF-16 code units."""
    return name.upper().encode("utf-16-be")


def check_group(rows, pictures):
    keys = [(file_order_key(category), file_order_key(material)) for category, material, *_ in rows]
    assert keys == sorted(keys), "rows are not in name order"
    assert len(rows) <= len(pictures), "more materials than pictures"
    for number, row in enumerate(rows):
        assert row[2] == pictures[number], "%s/%s: picture %d, list has %d" % (row[0], row[1], row[2], pictures[number])
    categories = []
    for row in rows:
        if row[0] not in categories:
            categories.append(row[0])
    assert len(categories) <= 8, "the panel shows at most eight categories"


def material_text(mode, speed, power, ppi, resolution, air):
    assert mode in (B_W, MCF, THREE_D, STAMP)
    assert 0 <= speed <= 1000 and 0 <= power <= 100 and 0 <= ppi <= 1525
    assert resolution in RESOLUTIONS
    return ("[OPTION]\r\nMARK_MODE=%d\r\nRESOLUTION=%d\r\nAIR=%d\r\n"
            "[PEN]\r\nPEN1SPEED=%d\r\nPEN1POWER=%d\r\nPEN1PPI=%d\r\n") % (mode, resolution, air, speed, power, ppi)


def write_group(folder, rows, extension, power_factor=1.0, speed_factor=1.0):
    for category, material, _picture, mode, speed, power, ppi, resolution, air in rows:
        path = os.path.join(folder, category, material + extension)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        power = min(100, int(round(power * power_factor)))
        speed = min(1000, int(round(speed * speed_factor)))
        with open(path, "wb") as f:
            f.write(material_text(mode, speed, power, ppi, resolution, air).encode("ascii"))


def main():
    library = os.path.join(ROOT, "ZOR")
    shutil.rmtree(library, ignore_errors=True)

    r250 = os.path.join(library, "parameter_R250")
    for group, rows in (("1_Engrave", ENGRAVE), ("2_Photo", PHOTO), ("3_Vector", VECTOR)):
        check_group(rows, R250_PICTURES[group])
        assert len(rows) == len(R250_PICTURES[group])
        write_group(os.path.join(r250, group), rows, ".VX")

    check_group(MATERIALS, OTHER_PICTURES)
    for folder, power_factor, speed_factor in OTHER_MODELS:
        write_group(os.path.join(library, folder, "1_Materials"), MATERIALS, ".spi", power_factor, speed_factor)

    data = os.path.join(ROOT, "Engravix")
    os.makedirs(data, exist_ok=True)
    with open(os.path.join(data, "~Drv2Ma.dat"), "wb") as f:
        text = "[MachInfo]\r\nDevice=R250\r\n[Language]\r\nLang=English\r\n"
        f.write(codecs.BOM_UTF16_LE + text.encode("utf-16-le"))


if __name__ == "__main__":
    main()
