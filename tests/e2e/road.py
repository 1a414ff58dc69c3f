#!/usr/bin/env python3
"""The road of one typical use, on the real executable with real pointer and
keyboard input under the test display: pick a group, a category and a
material, change the power, save it as a custom material, accept it; then
check "~Ma2Drv.dat" and the saved file; the same road with the keyboard alone.
Also Cancel and Esc, renaming and deleting custom materials by pointer and by
keyboard, finding materials with Ctrl+F, an export and an import through
the system's own dialogs, and two stations sharing one library on a second
drive that the registry names.

Usage: road.py MaterialManager.exe SAMPLE_DIR ARTIFACT_DIR [--roads]
With --roads only the pointer's road (for two models) and the keyboard's.
Needs WINEPREFIX and DISPLAY (the test command prepares both). Places are
those of the window at 96 dpi, scaled to MM_DPI when the prefix's display
is at another DPI (tests/at_dpi.sh sets both)."""
import codecs
import os
import shutil
import subprocess
import sys
import time

from PIL import Image

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from driver_sim import client_origin, scaled  # noqa: E402

EXE, SAMPLE, ARTIFACTS = sys.argv[1], sys.argv[2], sys.argv[3]
ROADS_ONLY = "--roads" in sys.argv[4:]
PREFIX = os.environ["WINEPREFIX"]
DATA = os.path.join(PREFIX, "drive_c", "users", "Public", "ZOR", "Engravix")
LIBRARY = os.path.join(PREFIX, "drive_c", "ZOR")
DPI = int(os.environ.get("MM_DPI", "96"))
LABEL_BLUE = (0, 32, 115)
LABEL_GREY = (192, 192, 192)
ACCEPT_LABEL = (440, 234, 525, 254)
SAVE_AS_LABEL = (440, 266, 525, 286)

failures = []
passes = 0


def check(condition, what):
    global passes
    if condition:
        passes += 1
        print("ok:", what)
    else:
        failures.append(what)
        print("FAIL:", what)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def shell_values(command, *args):
    return dict(line.split("=", 1) for line in xdotool(command, "--shell", *args).split() if "=" in line)


def read_ini(path):
    with open(path, "rb") as f:
        data = f.read()
    text = data[2:].decode("utf-16-le") if data.startswith(codecs.BOM_UTF16_LE) else data.decode("cp1252")
    result, section = {}, None
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("["):
            section = result.setdefault(line[1:line.index("]")], {})
        elif section is not None and "=" in line:
            key, value = line.split("=", 1)
            section[key] = value
    return result


class Session:
    """One run of the program for a model and a language. With `shared`, a
    further station on a library that is already in place: the window is the
    one no earlier session has."""

    def __init__(self, model, language, name, custom=None, shared=None):
        self.name = name
        if shared is None:
            shutil.rmtree(LIBRARY, ignore_errors=True)
            shutil.copytree(os.path.join(SAMPLE, "ZOR"), LIBRARY)
        if custom:
            folder, files = custom
            os.makedirs(os.path.join(LIBRARY, folder), exist_ok=True)
            for number, file_name in enumerate(files):
                with open(os.path.join(LIBRARY, folder, file_name), "wb") as f:
                    f.write(b"[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\nMATERIAL=Wood\r\n[PEN]\r\n"
                            b"PEN1SPEED=100\r\nPEN1POWER=%d\r\nPEN1PPI=300\r\n" % (20 + number))
        os.makedirs(DATA, exist_ok=True)
        shutil.copy(os.path.join(SAMPLE, "Engravix", "~PMLang.dat"), DATA)
        text = "[MachInfo]\r\nDevice=%s\r\n[Language]\r\nLang=%s\r\n" % (model, language)
        with open(os.path.join(DATA, "~Drv2Ma.dat"), "wb") as f:
            f.write(codecs.BOM_UTF16_LE + text.encode("utf-16-le"))
        self.output = os.path.join(DATA, "~Ma2Drv.dat")
        if os.path.exists(self.output):
            os.remove(self.output)
        self.process = subprocess.Popen(["wine", EXE])
        self.window = None
        others = [session.window for session in shared or []]
        for _ in range(240):
            found = [w for w in xdotool("search", "--name", "^Vexcut_Preview$").split("\n") if w and w not in others]
            self.window = found[0] if found else None
            if self.window:
                break
            time.sleep(0.25)
        if not self.window:
            raise SystemExit("the window did not appear")
        time.sleep(1.5)
        geometry = shell_values("getwindowgeometry", self.window)
        self.corner = int(geometry["X"]), int(geometry["Y"])
        self.x0, self.y0 = client_origin(*self.corner, DPI)
        self.shots = 0
        self.menu = None

    def at(self, x, y):
        """A client point of the 96-dpi design on the screen."""
        return self.x0 + scaled(x, DPI), self.y0 + scaled(y, DPI)

    def move(self, x, y):
        xdotool("mousemove", *(str(v) for v in self.at(x, y)))
        time.sleep(0.15)

    def click(self, x, y, settle=0.4):
        # Two moves: the hot areas are taken on the move after entering.
        self.move(x - 1, y)
        self.move(x, y)
        xdotool("click", "1")
        time.sleep(settle)

    def right_click(self, x, y, settle=0.6):
        self.move(x, y)
        xdotool("click", "3")
        time.sleep(settle)
        # The context menu is a window of its own, opened with its corner
        # under the pointer.
        under = shell_values("getmouselocation").get("WINDOW")
        place = shell_values("getwindowgeometry", under) if under and under != self.window else {}
        self.menu = tuple(int(place[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")) if place else None

    def click_menu_item(self, index, count, settle=0.4):
        """Item `index` of the `count` items of the menu the last right click
        opened, in the middle of its row: the rows' height is the system's."""
        if self.menu is None:
            return
        left, top, width, height = self.menu
        xdotool("mousemove", str(left + width // 3), str(top + height * (2 * index + 1) // (2 * count)))
        time.sleep(0.15)
        xdotool("click", "1")
        time.sleep(settle)

    def key(self, *keys):
        xdotool("key", *keys)
        time.sleep(0.2)

    def type(self, text):
        xdotool("type", "--delay", "40", text)
        time.sleep(0.3)

    def shot(self, label):
        self.shots += 1
        path = os.path.join(ARTIFACTS, "%s-%02d-%s.png" % (self.name, self.shots, label))
        subprocess.run(["import", "-window", "root", path], check=True)
        image = Image.open(path).convert("RGB")
        return image

    def label_colours(self, image, rect):
        (left, top), (right, bottom) = self.at(*rect[:2]), self.at(*rect[2:])
        colours = set()
        for y in range(top, bottom):
            for x in range(left, right):
                colours.add(image.getpixel((x, y)))
        return colours

    def wait_window(self, title):
        """The window of this title once it shows (a dialog of the program), or None."""
        for _ in range(40):
            window = xdotool("search", "--name", "^%s$" % title).split("\n")[0] or None
            if window:
                return window
            time.sleep(0.25)
        return None

    def wait_end(self, timeout=15):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None


STATE_BLUE = (0, 140, 204)


def customize_button_highlighted(session, image, slot):
    """The state-blue face of the category button in this slot (rows of 24 px from y 99)."""
    return image.getpixel(session.at(156 + 8, 99 + 24 * slot + 4)) == STATE_BLUE


def road(model, language, group, extension, saved_name, customize_slot):
    s = Session(model, language, "road-%s-%s" % (model, language.replace(" ", "_")))
    image = s.shot("start")
    colours = s.label_colours(image, ACCEPT_LABEL)
    check(LABEL_GREY in colours and LABEL_BLUE not in colours, "%s: Accept label grey at start" % model)
    check(image.getpixel((s.corner[0] + scaled(300, DPI), s.corner[1] + scaled(10, DPI))) != (0, 0, 0),
          "%s: caption strip painted" % model)

    if group == 2:
        s.click(100, 132, settle=1.2)          # group button 2, then the animation
        s.shot("group2")
    s.click(224, 111)                          # first category button
    s.click(296 + 58, 95 + 40)                 # first material in the list
    check_loaded(s, model)

    s.click(303 + 28, 300 + 9)                 # power edit
    # Typing over the selected text: an emptied edit would be rejected at once.
    s.key("End")
    s.key("shift+Home")
    s.type("42")
    check_changed(s, model)
    s.click(484, 271, settle=1.0)              # Save as
    save_as(s, model, saved_name, customize_slot)
    s.click(484, 241, settle=0.5)              # Accept
    check_handed_back(s, model, extension, saved_name)


def check_loaded(s, model):
    image = s.shot("material")
    check(LABEL_BLUE in s.label_colours(image, ACCEPT_LABEL), "%s: Accept label blue after a material" % model)
    check(LABEL_BLUE in s.label_colours(image, SAVE_AS_LABEL), "%s: Save-as label blue after a material" % model)


def check_changed(s, model):
    image = s.shot("changed")
    colours = s.label_colours(image, ACCEPT_LABEL)
    check(LABEL_BLUE not in colours and LABEL_GREY in colours, "%s: Accept label grey after a change" % model)


def save_as(s, model, saved_name, customize_slot):
    """The Save-as dialog, once asked for: the name typed and confirmed."""
    dialog = s.wait_window("Save as")
    check(dialog is not None, "%s: Save-as dialog opened" % model)
    if dialog:
        s.shot("saveas")
        s.type(saved_name)
        s.key("Return")
        time.sleep(1.5)
    image = s.shot("saved")
    check(LABEL_BLUE in s.label_colours(image, ACCEPT_LABEL), "%s: Accept label blue after the save" % model)
    check(customize_button_highlighted(s, image, customize_slot),
          "%s: the Customize view is shown with its button highlighted" % model)


def check_handed_back(s, model, extension, saved_name, what=None):
    """After Accept: the program ends and hands the saved material over."""
    what = what or model
    code = s.wait_end()
    check(code is not None, "%s: the program ended after Accept" % what)
    check(os.path.exists(s.output), "%s: ~Ma2Drv.dat written" % what)
    if not os.path.exists(s.output):
        return
    handed = read_ini(s.output)
    path = handed.get("Path", {}).get("Path", "")
    print("handed back:", handed)
    folder = "parameter_R250" if model == "R250" else {"VTX": "parameter_VortanXL"}.get(model, "parameter_" + model)
    expected_end = "\\Customize\\%s%s" % (saved_name, extension)
    check(path.startswith("C:\\ZOR\\%s\\" % folder) and path.endswith(expected_end),
          "%s: Path names the saved material (%s)" % (what, path))
    check(handed.get("Texture", {}).get("Name", "") != "", "%s: Texture name handed back" % what)
    unix = os.path.join(PREFIX, "drive_c", *path[3:].split("\\"))
    check(os.path.exists(unix), "%s: the saved material file exists" % what)
    if os.path.exists(unix):
        saved = read_ini(unix)
        check(saved.get("PEN", {}).get("PEN1POWER") == "42", "%s: the saved file holds power 42" % what)
        check(saved.get("OPTION", {}).get("MATERIAL", "") == handed["Texture"]["Name"],
              "%s: the saved file's texture name is the one handed back" % what)


FIND_BOX_FRAME = (296, 200)  # on the left edge of the find box


def find(s, typed, what):
    """Ctrl+F, part of a name typed into the find box, Enter on the first
    material found; the group's column animation runs its course."""
    s.key("ctrl+f")
    s.type(typed)
    image = s.shot("find-%s" % typed.replace(" ", "_"))
    check(image.getpixel(s.at(*FIND_BOX_FRAME)) == LABEL_BLUE,
          "%s: Ctrl+F shows the find box" % what)
    s.key("Return")
    time.sleep(1.2)


def keyboard_road():
    """The road of road() for the R250's group 2 with keys alone: the first
    group button has the focus at the start, and Tab goes through the group
    buttons, the category buttons, the list, then mark mode, resolution,
    speed and power. After the save, Ctrl+F finds a material of group 1,
    then the saved one, which Enter hands over."""
    model, extension, saved_name, customize_slot = "R250", ".VX", "E2E Keyed", 7
    s = Session(model, "English", "keys-%s" % model)
    s.key("Tab")
    s.key("space")                             # group 2, then the animation
    time.sleep(1.2)
    s.key("Tab", "Tab")                        # past group 3 to the first category
    s.key("space")
    s.key(*["Tab"] * (customize_slot + 1))     # past the category buttons
    s.key("Right")                             # the first material
    what = "%s by keys" % model
    check_loaded(s, what)
    s.key("Tab", "Tab", "Tab", "Tab")          # the power, its text selected
    s.type("42")
    check_changed(s, what)
    s.key("ctrl+s")
    save_as(s, what, saved_name, customize_slot)
    find(s, "birch pl", what)                  # Engrave, Wood, "Birch plywood"
    check_loaded(s, what + ", found in another group")
    find(s, "e2e key", what)                   # the saved material, back in group 2
    check_loaded(s, what + ", the saved material found")
    s.key("Return")                            # Accept
    check_handed_back(s, model, extension, saved_name, what)


def cancel_and_escape(model):
    s = Session(model, "English", "cancel-%s" % model)
    s.click(484, 306, settle=0.5)              # Cancel
    check(s.wait_end() is not None, "%s: Cancel ends the program" % model)
    handed = read_ini(s.output) if os.path.exists(s.output) else {}
    check(handed.get("Path", {}).get("Path") == "" and handed.get("Texture", {}).get("Name") == "",
          "%s: Cancel writes empty Path and Name" % model)

    s = Session(model, "English", "escape-%s" % model)
    s.key("Escape")
    check(s.wait_end() is not None, "%s: Esc ends the program" % model)
    check(not os.path.exists(s.output), "%s: Esc writes no ~Ma2Drv.dat" % model)


def manage_custom(model):
    """Rename and delete custom materials in the Customize view, by pointer
    (context menu) and by keyboard (F2, Del)."""
    folder = os.path.join("parameter_" + model, "1_Materials", "Customize")
    files = ["Alpha.spi", "Beta.spi", "Delta.spi", "Gamma.spi"]
    s = Session(model, "English", "manage-%s" % model, custom=(folder, files))
    customize = os.path.join(LIBRARY, folder)

    def names():
        return sorted(os.listdir(customize))

    s.click(224, 99 + 24 * 8 + 12)             # the Customize button (slot 8)
    first, second = (296 + 58, 95 + 40), (296 + 58 + 106, 95 + 40)
    s.right_click(*first)                      # context menu on Alpha
    s.shot("menu")
    s.click_menu_item(0, 4)                    # "Rename", its first item
    s.type("Apple")
    s.key("Return")
    time.sleep(0.8)
    s.shot("renamed")
    check(names() == ["Apple.spi", "Beta.spi", "Delta.spi", "Gamma.spi"],
          "%s: rename by pointer (%s)" % (model, names()))

    s.right_click(*second)                     # context menu on Beta
    s.click_menu_item(1, 4)                    # "Delete", its second item
    time.sleep(0.5)
    s.shot("delete-question")
    s.key("y")                                 # Yes (No is the default)
    time.sleep(0.8)
    check(names() == ["Apple.spi", "Delta.spi", "Gamma.spi"], "%s: delete by pointer (%s)" % (model, names()))

    # The neighbour (Delta) is selected now: F2 and Del act on it.
    s.key("F2")
    s.type("Dune")
    s.key("Return")
    time.sleep(0.8)
    check(names() == ["Apple.spi", "Dune.spi", "Gamma.spi"], "%s: rename by keyboard (%s)" % (model, names()))
    s.key("Delete")
    time.sleep(0.5)
    s.key("Return")                            # the default answer keeps it
    time.sleep(0.5)
    check(names() == ["Apple.spi", "Dune.spi", "Gamma.spi"], "%s: Enter on the delete question keeps it" % model)
    s.key("Delete")
    time.sleep(0.5)
    s.key("y")
    time.sleep(0.8)
    s.shot("deleted")
    check(names() == ["Apple.spi", "Gamma.spi"], "%s: delete by keyboard (%s)" % (model, names()))
    # Shift+F10 opens the context menu of the selected neighbour (Gamma).
    s.key("shift+F10")
    s.key("Down")
    s.key("Return")
    s.type("Gem")
    s.key("Return")
    time.sleep(0.8)
    check(names() == ["Apple.spi", "Gem.spi"], "%s: rename through Shift+F10 (%s)" % (model, names()))
    s.key("Escape")
    check(s.wait_end() is not None, "%s: Esc ends the program after managing" % model)


def share_through_dialogs(model):
    """Export with Ctrl+E through the folder picker, then import the export
    into a fresh library with Ctrl+O through the open dialog."""
    group = os.path.join("parameter_" + model, "1_Materials")
    files = ["Alpha.spi", "Beta.spi"]
    # The picker lists a folder's subfolders when it is expanded, so the
    # chosen folder is there before the program starts.
    chosen = os.path.join(PREFIX, "drive_c", "Shared")
    shutil.rmtree(chosen, ignore_errors=True)
    os.makedirs(chosen)
    s = Session(model, "English", "export-%s" % model, custom=(os.path.join(group, "Customize"), files))
    originals = {}
    for name in files:
        with open(os.path.join(LIBRARY, group, "Customize", name), "rb") as f:
            originals[name] = f.read()
    s.key("ctrl+e")
    picker = s.wait_window("Browse for Folder")
    check(picker is not None, "%s: Ctrl+E opens the folder picker" % model)
    if picker:
        # Wine's tree: Desktop, with "My Computer" below it, the drives below
        # that. Typed letters choose the item they begin, Right opens it.
        s.type("My")
        s.key("Right")
        s.key("Down")                          # (C:)
        s.key("Right")
        s.type("Shared")
        s.shot("picker")
        s.key("Return")
    check(s.wait_window("Material Manager") is not None, "%s: a summary ends the export" % model)
    s.shot("exported")
    s.key("Return")
    exported = os.path.join(chosen, "parameter_" + model, "1_Materials")
    for name, data in originals.items():
        path = os.path.join(exported, name)
        check(os.path.exists(path) and open(path, "rb").read() == data,
              "%s: %s exported byte for byte" % (model, name))
    s.key("Escape")
    check(s.wait_end() is not None, "%s: Esc ends the program after the export" % model)

    s = Session(model, "English", "import-%s" % model)
    customize = os.path.join(LIBRARY, group, "Customize")
    check(not os.path.exists(customize) or not os.listdir(customize), "%s: a fresh library" % model)
    s.key("ctrl+o")
    check(s.wait_window("Open") is not None, "%s: Ctrl+O opens the open dialog" % model)
    # To the export's group folder first, then both names at once.
    s.type("C:\\Shared\\parameter_%s\\1_Materials" % model)
    s.key("Return")
    time.sleep(0.5)
    s.type(" ".join('"%s"' % name for name in files))
    s.shot("open")
    s.key("Return")
    check(s.wait_window("Material Manager") is not None, "%s: a summary ends the import" % model)
    s.shot("imported-summary")
    s.key("Return")
    time.sleep(0.5)
    for name, data in originals.items():
        path = os.path.join(customize, name)
        check(os.path.exists(path) and open(path, "rb").read() == data,
              "%s: %s imported byte for byte" % (model, name))
    image = s.shot("imported")
    check(customize_button_highlighted(s, image, 8), "%s: the Customize view shows after the import" % model)
    items = [image.getpixel(s.at(296 + 58 + 106 * i, 95 + 40)) for i in range(len(files))]
    check(all(pixel != (255, 255, 255) for pixel in items), "%s: the imported materials are shown" % model)
    s.key("Escape")
    check(s.wait_end() is not None, "%s: Esc ends the program after the import" % model)


def two_stations():
    """The shop's library on a second drive (a dosdevices link "m:") that the
    registry's LibraryRoot names; two copies of the program on it. Station A
    shows its Customize view; station B saves a material there with the keys
    and hands it over; A's open view shows it by itself, and A hands it over
    too."""
    model, saved_name, customize_slot = "VTE", "E2E Shared", 8
    shop = os.path.join(PREFIX, "shop")
    link = os.path.join(PREFIX, "dosdevices", "m:")
    shutil.rmtree(shop, ignore_errors=True)
    shutil.copytree(os.path.join(SAMPLE, "ZOR"), os.path.join(shop, "ZOR"))
    shutil.rmtree(LIBRARY, ignore_errors=True)
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(shop, link)
    key = "HKLM\\SOFTWARE\\ZOR\\MaterialManager"
    subprocess.run(["wine", "reg", "add", key, "/v", "LibraryRoot", "/d", "M:\\ZOR", "/f"], capture_output=True)
    customize = os.path.join(shop, "ZOR", "parameter_VTE", "1_Materials", "Customize")
    try:
        a = Session(model, "English", "station-a", shared=[])
        a.click(224, 99 + 24 * customize_slot + 12)    # A's Customize view, empty
        first_item = (296 + 58, 95 + 40)
        image = a.shot("customize")
        check(image.getpixel(a.at(*first_item)) == (255, 255, 255), "station A: its Customize view is empty at first")

        b = Session(model, "English", "station-b", shared=[a])
        xdotool("windowfocus", "--sync", b.window)
        b.key("Tab")                                   # the first category
        b.key("space")
        b.key(*["Tab"] * (customize_slot + 1))         # past the category buttons
        b.key("Right")                                 # the first material
        b.key("Tab", "Tab", "Tab", "Tab")              # the power, its text selected
        b.type("42")
        b.key("ctrl+s")
        check(b.wait_window("Save as") is not None, "station B: Save-as dialog opened")
        b.type(saved_name)
        b.key("Return")
        time.sleep(1.0)
        b.key("Return")                                # Accept
        check(b.wait_end() is not None, "station B: ended after Accept")
        saved = os.path.join(customize, saved_name + ".spi")
        check(os.path.exists(saved), "station B: saved into the library on drive M:")
        handed = read_ini(b.output).get("Path", {}).get("Path", "") if os.path.exists(b.output) else ""
        check(handed == "M:\\ZOR\\parameter_VTE\\1_Materials\\Customize\\%s.spi" % saved_name,
              "station B: hands over the material on drive M: (%s)" % handed)

        # A was never touched since: its view has read the folder again.
        time.sleep(2.5)
        image = a.shot("refreshed")
        check(image.getpixel(a.at(*first_item)) != (255, 255, 255),
              "station A: the material saved at B shows in its open Customize view")
        if os.path.exists(a.output):
            os.remove(a.output)
        a.click(*first_item)
        a.click(484, 241, settle=0.5)                  # Accept
        check(a.wait_end() is not None, "station A: ended after Accept")
        handed = read_ini(a.output).get("Path", {}).get("Path", "") if os.path.exists(a.output) else ""
        check(handed.endswith("\\Customize\\%s.spi" % saved_name) and handed.startswith("M:\\ZOR\\"),
              "station A: hands over the material B saved (%s)" % handed)
    finally:
        subprocess.run(["wine", "reg", "delete", key, "/v", "LibraryRoot", "/f"], capture_output=True)
        if os.path.lexists(link):
            os.remove(link)
        shutil.rmtree(shop, ignore_errors=True)


def main():
    os.makedirs(ARTIFACTS, exist_ok=True)
    road("R250", "English", 2, ".VX", "E2E Oak", customize_slot=7)
    road("VTE", "Japanese", 1, ".spi", "E2E Birch", customize_slot=8)
    keyboard_road()
    if not ROADS_ONLY:
        cancel_and_escape("R250")
        cancel_and_escape("VTE")
        manage_custom("VTE")
        share_through_dialogs("VTE")
        two_stations()
    print("%d passed, %d failed" % (passes, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
