#!/usr/bin/env python3
"""Plays the printer driver's side of the hand-off.

Writes "~Drv2Ma.dat" (model and language) into the data folder of a Wine
prefix, installs the library and the language file there, starts the
material manager, waits for it to end and prints what it handed back in
"~Ma2Drv.dat", with the chosen material's parameters read from that path.
"""
import argparse
import codecs
import os
import shutil
import subprocess
import sys
import time

DATA_FOLDER = ("users", "Public", "ZOR", "Engravix")  # C:\Users\Public\ZOR\Engravix\
WINDOW_TITLE = "Vexcut_Preview"


def read_text(path):
    """An INI file as the profile functions read it: UTF-16 with a BOM, else 8-bit."""
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(codecs.BOM_UTF16_LE):
        return data[2:].decode("utf-16-le", errors="replace")
    if data.startswith(codecs.BOM_UTF8):
        return data[3:].decode("utf-8", errors="replace")
    return data.decode("cp1252", errors="replace")


def parse_ini(text):
    sections = {}
    current = None
    for raw in text.splitlines():
        line = raw.strip()
        if line.startswith("[") and "]" in line:
            current = sections.setdefault(line[1:line.index("]")].lower(), {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current[key.strip().lower()] = value.strip()
    return sections


def windows_to_unix(prefix, path):
    """C:\\... inside the prefix as a Unix path."""
    if len(path) >= 2 and path[1] == ":" and path[0].upper() == "C":
        return os.path.join(prefix, "drive_c", *[p for p in path[2:].split("\\") if p])
    if len(path) >= 2 and path[1] == ":" and path[0].upper() == "Z":
        return "/" + "/".join(p for p in path[2:].split("\\") if p)
    return None


def write_handoff(path, model, language):
    text = "[MachInfo]\r\nDevice=%s\r\n[Language]\r\nLang=%s\r\n" % (model, language)
    with open(path, "wb") as f:
        f.write(codecs.BOM_UTF16_LE + text.encode("utf-16-le"))


def scaled(value, dpi):
    """A length of the window's 96-dpi design at a DPI, rounded as the
    program rounds it."""
    return (value * dpi + 48) // 96


def client_origin(window_x, window_y, dpi):
    """The client area's top-left corner on the screen: inside the dialog
    frame (3 pixels) and the caption bar that Wine draws for a DPI (19
    pixels at 96 dpi)."""
    return window_x + 3, window_y + 3 + scaled(18, dpi) + 1


def find_window(timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        out = subprocess.run(["xdotool", "search", "--name", WINDOW_TITLE],
                             capture_output=True, text=True).stdout.split()
        if out:
            return out[0]
        time.sleep(0.25)
    return None


def screenshot(window, target):
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                              capture_output=True, text=True).stdout
    values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
    x, y = int(values.get("X", 0)), int(values.get("Y", 0))
    w, h = int(values.get("WIDTH", 600)), int(values.get("HEIGHT", 400))
    os.makedirs(os.path.dirname(target) or ".", exist_ok=True)
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", target],
                   check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exe", required=True, help="MaterialManager.exe")
    parser.add_argument("--prefix", default=os.environ.get("WINEPREFIX"), help="Wine prefix")
    parser.add_argument("--library", required=True, help="library root to install as C:\\ZOR\\")
    parser.add_argument("--language-file", required=True, help="~PMLang.dat to install")
    parser.add_argument("--model", default="R250")
    parser.add_argument("--lang", default="English")
    parser.add_argument("--screenshot", help="save a picture of the window here, then close it (Esc)")
    args = parser.parse_args()
    if not args.prefix:
        sys.exit("no Wine prefix (set WINEPREFIX or --prefix)")

    library = os.path.join(args.prefix, "drive_c", "ZOR")
    # Existing files stay: custom materials saved in earlier runs are kept.
    shutil.copytree(args.library, library, dirs_exist_ok=True,
                    copy_function=lambda s, d: os.path.exists(d) or shutil.copy2(s, d))
    data = os.path.join(args.prefix, "drive_c", *DATA_FOLDER)
    os.makedirs(data, exist_ok=True)
    shutil.copy2(args.language_file, os.path.join(data, "~PMLang.dat"))
    write_handoff(os.path.join(data, "~Drv2Ma.dat"), args.model, args.lang)
    output = os.path.join(data, "~Ma2Drv.dat")
    if os.path.exists(output):
        os.remove(output)

    print("driver: model %s, language %s" % (args.model, args.lang))
    process = subprocess.Popen(["wine", args.exe])
    if args.screenshot:
        window = find_window(60)
        if window is None:
            process.kill()
            sys.exit("driver: the material manager's window did not appear")
        time.sleep(2.0)
        screenshot(window, args.screenshot)
        print("screenshot: %s" % os.path.abspath(args.screenshot))
        subprocess.run(["xdotool", "key", "--window", window, "Escape"])
    code = process.wait()
    print("driver: material manager ended (exit code %d)" % code)

    if not os.path.exists(output):
        print("~Ma2Drv.dat: not written (closed without Accept or Cancel)")
        return 0
    handed = parse_ini(read_text(output))
    path = handed.get("path", {}).get("path", "")
    texture = handed.get("texture", {}).get("name", "")
    print("~Ma2Drv.dat: Path=%s" % path)
    print("~Ma2Drv.dat: Texture Name=%s" % texture)
    if not path:
        print("driver: no material chosen (Cancel)")
        return 0
    material = windows_to_unix(args.prefix, path)
    if not material or not os.path.exists(material):
        print("driver: the material file is missing: %s" % path)
        return 1
    values = parse_ini(read_text(material))
    option, pen = values.get("option", {}), values.get("pen", {})
    modes = {"1": "B/W", "2": "MCF", "3": "3D", "4": "Stamp"}
    speed = pen.get("pen1speed", "")
    print("material: mark mode %s, speed %s, power %s, PPI %s, resolution %s" % (
        modes.get(option.get("mark_mode", ""), option.get("mark_mode", "?")),
        "%g" % (int(speed) / 10) if speed.lstrip("-").isdigit() else speed,
        pen.get("pen1power", "?"), pen.get("pen1ppi", "?"), option.get("resolution", "?")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
