#!/usr/bin/python3
"""Makes the README's pictures with the program itself: the window with a
material loaded, the tip of a material item, and the find box; at another
display scale the window with a material loaded and, at 200 percent, the find
box.

Installs the bundled sample library and language file in the Wine prefix,
starts the material manager for model R250 in English, picks the category
"Wood" of the first group and its first material with the pointer, saves the
window; then rests the pointer on the second material and saves the window
with its tip; then opens the find box with Ctrl+F, types part of a name and
saves the window. Ends the program with Esc (nothing is handed back).

Usage: screenshots.py MaterialManager.exe SAMPLE_DIR OUTPUT_DIR [--percent P]
       screenshots.py --compare OLD.exe NEW.exe SAMPLE_DIR
With --percent the prefix's DPI must already be that scale (LogPixels, as
scripts/screenshots.sh sets it) and the pictures are material-loaded-P.png
and, at 200 percent, find-box-200.png.
--compare takes the start-up window and the window with a material loaded
with both programs and counts the pixels that differ.
Needs WINEPREFIX and DISPLAY (scripts/screenshots.sh prepares both)."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from driver_sim import DATA_FOLDER, client_origin, find_window, scaled, write_handoff

# Client points of the dialog at 100 percent (600 x 400 pixels).
WOOD = (224, 99 + 24 * 6 + 12)  # category slot 6
FIRST_MATERIAL = (354, 135)
SECOND_MATERIAL = (460, 135)
AWAY = (560, 380)
# Typed into the find box: materials of several groups and categories.
FIND_TEXT = "bl"


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


class Window:
    def __init__(self, handle, percent):
        self.handle = handle
        self.dpi = (percent * 96 + 50) // 100
        values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", handle).split()
                      if "=" in line)
        self.x, self.y = int(values["X"]), int(values["Y"])
        self.width, self.height = int(values["WIDTH"]), int(values["HEIGHT"])
        self.x0, self.y0 = client_origin(self.x, self.y, self.dpi)

    def move(self, point, settle=0.15):
        xdotool("mousemove", str(self.x0 + scaled(point[0], self.dpi)), str(self.y0 + scaled(point[1], self.dpi)))
        time.sleep(settle)

    def click(self, point, settle=0.5):
        # Two moves: a hot area is taken on the move after entering it.
        self.move((point[0] - 1, point[1]))
        self.move(point)
        xdotool("click", "1")
        time.sleep(settle)

    def save(self, path):
        subprocess.run(["import", "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (self.width, self.height, self.x, self.y), "+repage", path], check=True)
        print("saved", path)


def install(prefix, sample):
    shutil.copytree(os.path.join(sample, "ZOR"), os.path.join(prefix, "drive_c", "ZOR"), dirs_exist_ok=True)
    data = os.path.join(prefix, "drive_c", *DATA_FOLDER)
    os.makedirs(data, exist_ok=True)
    shutil.copy2(os.path.join(sample, "Engravix", "~PMLang.dat"), data)
    write_handoff(os.path.join(data, "~Drv2Ma.dat"), "R250", "English")


def shoot(exe, sample, output, percent, names):
    """One run of the program; `names` maps the moments "start", "loaded",
    "tip" and "find" to the files they are saved in."""
    install(os.environ["WINEPREFIX"], sample)
    os.makedirs(output, exist_ok=True)
    process = subprocess.Popen(["wine", exe])
    try:
        handle = find_window(60)
        if handle is None:
            sys.exit("the material manager's window did not appear")
        time.sleep(2.0)
        window = Window(handle, percent)
        if "start" in names:
            window.move(AWAY, settle=1.0)
            window.save(os.path.join(output, names["start"]))
        window.click(WOOD)
        window.click(FIRST_MATERIAL)
        # Away from the list, so that no tip and no hover colour shows.
        window.move(AWAY, settle=1.0)
        window.save(os.path.join(output, names["loaded"]))
        if "tip" in names:
            window.move((SECOND_MATERIAL[0] - 2, SECOND_MATERIAL[1]))
            window.move(SECOND_MATERIAL, settle=2.0)
            window.save(os.path.join(output, names["tip"]))
        if "find" in names:
            # The find box over the list, with part of a name typed.
            window.move(AWAY, settle=0.5)
            xdotool("key", "ctrl+f")
            time.sleep(0.5)
            xdotool("type", "--delay", "80", FIND_TEXT)
            time.sleep(1.0)
            window.save(os.path.join(output, names["find"]))
            # The first Esc closes the find box only.
            xdotool("key", "--window", handle, "Escape")
            time.sleep(0.5)
        xdotool("key", "--window", handle, "Escape")
        process.wait(15)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def compare(old, new, sample):
    from PIL import Image, ImageChops
    names = {"start": "start.png", "loaded": "loaded.png"}
    with tempfile.TemporaryDirectory() as folder:
        for which, exe in (("old", old), ("new", new)):
            shoot(exe, sample, os.path.join(folder, which), 100, names)
        differing = 0
        for name in names.values():
            a = Image.open(os.path.join(folder, "old", name)).convert("RGB")
            b = Image.open(os.path.join(folder, "new", name)).convert("RGB")
            count = a.size[0] * a.size[1] if a.size != b.size else \
                sum(1 for p in ImageChops.difference(a, b).getdata() if p != (0, 0, 0))
            print("%s: %d pixels differ (%dx%d)" % (name, count, *a.size))
            differing += count
    return 1 if differing else 0


def main():
    if sys.argv[1] == "--compare":
        return compare(*sys.argv[2:5])
    exe, sample, output = sys.argv[1:4]
    percent = int(sys.argv[sys.argv.index("--percent") + 1]) if "--percent" in sys.argv else 100
    if percent == 100:
        shoot(exe, sample, output, 100,
              {"loaded": "material-loaded.png", "tip": "material-tip.png", "find": "find-box.png"})
    elif percent == 200:
        shoot(exe, sample, output, percent, {"loaded": "material-loaded-200.png", "find": "find-box-200.png"})
    else:
        shoot(exe, sample, output, percent, {"loaded": "material-loaded-%d.png" % percent})
    return 0


if __name__ == "__main__":
    sys.exit(main())
