#!/usr/bin/python3
"""Makes the README's pictures with the program itself: the window with a
material loaded, the tip of a material item, and the find box.

Installs the bundled sample library and language file in the Wine prefix,
starts the material manager for model R250 in English, picks the category
"Wood" of the first group and its first material with the pointer, saves the
window; then rests the pointer on the second material and saves the window
with its tip; then opens the find box with Ctrl+F, types part of a name and
saves the window. Ends the program with Esc (nothing is handed back).

Usage: screenshots.py MaterialManager.exe SAMPLE_DIR OUTPUT_DIR
Needs WINEPREFIX and DISPLAY (scripts/screenshots.sh prepares both)."""
import os
import shutil
import subprocess
import sys
import time

from driver_sim import DATA_FOLDER, find_window, write_handoff

# Client points of the dialog (600 x 400 pixels).
WOOD = (224, 99 + 24 * 6 + 12)  # category slot 6
FIRST_MATERIAL = (354, 135)
SECOND_MATERIAL = (460, 135)
# Typed into the find box: materials of several groups and categories.
FIND_TEXT = "bl"


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


class Window:
    def __init__(self, handle):
        self.handle = handle
        values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", handle).split()
                      if "=" in line)
        self.x, self.y = int(values["X"]), int(values["Y"])
        self.width, self.height = int(values["WIDTH"]), int(values["HEIGHT"])
        # The client area lies inside the frame and caption that Wine draws.
        self.x0, self.y0 = self.x + 3, self.y + 22

    def move(self, point, settle=0.15):
        xdotool("mousemove", str(self.x0 + point[0]), str(self.y0 + point[1]))
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


def main():
    exe, sample, output = sys.argv[1:4]
    install(os.environ["WINEPREFIX"], sample)
    os.makedirs(output, exist_ok=True)
    process = subprocess.Popen(["wine", exe])
    try:
        handle = find_window(60)
        if handle is None:
            sys.exit("the material manager's window did not appear")
        time.sleep(2.0)
        window = Window(handle)
        window.click(WOOD)
        window.click(FIRST_MATERIAL)
        # Away from the list, so that no tip and no hover colour shows.
        window.move((560, 380), settle=1.0)
        window.save(os.path.join(output, "material-loaded.png"))
        window.move((SECOND_MATERIAL[0] - 2, SECOND_MATERIAL[1]))
        window.move(SECOND_MATERIAL, settle=2.0)
        window.save(os.path.join(output, "material-tip.png"))
        # The find box over the list, with part of a name typed.
        window.move((560, 380), settle=0.5)
        xdotool("key", "ctrl+f")
        time.sleep(0.5)
        xdotool("type", "--delay", "80", FIND_TEXT)
        time.sleep(1.0)
        window.save(os.path.join(output, "find-box.png"))
        xdotool("key", "--window", handle, "Escape")
        time.sleep(0.5)
        xdotool("key", "--window", handle, "Escape")
        process.wait(15)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


if __name__ == "__main__":
    main()
