"""What the desktop suite drives and looks at: the X display through xdotool, xwininfo, xprop and
ImageMagick's import, screenshots as RGB pixels, and the running orvane with its windows.

Nothing here knows the program's rules; suite.py holds the user's steps and what each must show.
"""

import os
import re
import struct
import subprocess
import time
import zlib


class Failure(Exception):
    """A step did not show what it must."""


def run(*args, input=None, check=True, env=None):
    """Runs a command and gives its standard output as bytes."""
    result = subprocess.run(args, input=input, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    if check and result.returncode != 0:
        raise Failure(f"{' '.join(args)} failed ({result.returncode}): {result.stderr.decode(errors='replace')}")
    return result.stdout


def wait_until(what, condition, timeout=20.0, interval=0.1):
    """Polls the condition until it gives something true and returns that; fails after timeout
    seconds, naming what it waited for."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


# --- Screenshots ---------------------------------------------------------------------------------

class Shot:
    """A picture of the whole screen: width, height and packed RGB bytes."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise Failure(f"pixel {x},{y} is off the screen")
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, left, top, width, height, predicate):
        """How many pixels of the rectangle satisfy predicate(rgb)."""
        found = 0
        for y in range(max(top, 0), min(top + height, self.height)):
            row = (y * self.width) * 3
            for x in range(max(left, 0), min(left + width, self.width)):
                i = row + x * 3
                if predicate((self.data[i], self.data[i + 1], self.data[i + 2])):
                    found += 1
        return found

    def region(self, left, top, width, height):
        """The rectangle's pixels as a Shot of its own."""
        rows = []
        for y in range(top, top + height):
            start = (y * self.width + left) * 3
            rows.append(self.data[start:start + width * 3])
        return Shot(width, height, b"".join(rows))

    def save(self, path):
        """Writes the picture as a PNG file."""
        raw = b"".join(b"\0" + self.data[y * self.width * 3:(y + 1) * self.width * 3] for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as file:
            file.write(b"\x89PNG\r\n\x1a\n")
            file.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            file.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            file.write(chunk(b"IEND", b""))


def parse_ppm(data):
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    if not match:
        raise Failure("not a PPM picture")
    width, height, depth = (int(g) for g in match.groups())
    if depth != 255:
        raise Failure(f"PPM depth {depth}")
    return Shot(width, height, data[match.end():match.end() + width * height * 3])


def grab():
    """What the screen shows now."""
    return parse_ppm(run("import", "-silent", "-window", "root", "-depth", "8", "ppm:-"))


def load_picture(path):
    """Any picture file ImageMagick reads, as RGB pixels (BMP files the program writes too)."""
    return parse_ppm(run("convert", path, "-depth", "8", "ppm:-"))


# --- Windows -------------------------------------------------------------------------------------

class Window:
    """A top-level client window on the display, by its X id."""

    def __init__(self, wid):
        self.id = str(wid)

    def name(self):
        return run("xdotool", "getwindowname", self.id, check=False).decode("utf-8", "replace").strip()

    def geometry(self):
        """Left, top, width, height of the client area in screen pixels, or None when unmapped."""
        text = run("xwininfo", "-id", self.id, check=False).decode(errors="replace")
        values = {}
        for key, label in (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
                           ("w", "Width"), ("h", "Height")):
            match = re.search(label + r":\s+(-?\d+)", text)
            if not match:
                return None
            values[key] = int(match.group(1))
        if "IsViewable" not in text:
            return None
        return values["x"], values["y"], values["w"], values["h"]

    def viewable(self):
        return self.geometry() is not None

    def property(self, name):
        return run("xprop", "-id", self.id, name, check=False).decode(errors="replace")

    def frame_extents(self):
        """Left, right, top, bottom of the window manager's frame."""
        match = re.search(r"= (\d+), (\d+), (\d+), (\d+)", self.property("_NET_FRAME_EXTENTS"))
        return tuple(int(g) for g in match.groups()) if match else (0, 0, 0, 0)


def find_windows(name_pattern, only_visible=True):
    """The windows whose title matches the regular expression."""
    args = ["xdotool", "search"] + (["--onlyvisible"] if only_visible else []) + ["--name", name_pattern]
    out = run(*args, check=False).decode()
    return [Window(line) for line in out.split()]


def active_window():
    out = run("xdotool", "getactivewindow", check=False).decode().strip()
    return Window(out) if out else None


def stacking_order():
    """Client window ids from bottom to top, as the window manager stacks them."""
    text = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING").decode()
    return [str(int(h, 16)) for h in re.findall(r"0x[0-9a-f]+", text)]


# --- Pointer and keyboard ------------------------------------------------------------------------

def pointer_location():
    out = run("xdotool", "getmouselocation").decode()
    match = re.match(r"x:(-?\d+) y:(-?\d+)", out)
    return (int(match.group(1)), int(match.group(2))) if match else None


def pointer_to(x, y):
    # xdotool's own --sync waits for a motion, which never comes when the pointer is there already.
    run("xdotool", "mousemove", str(x), str(y))
    wait_until(f"the pointer at {x},{y}", lambda: pointer_location() == (x, y), timeout=5, interval=0.02)


_last_click = {"at": None, "time": 0.0}


def click_at(x, y, button=1, repeat=1):
    # Two single clicks close together in time and place are a double-click to the program; a
    # user's two clicks are further apart.
    if _last_click["at"] and abs(_last_click["at"][0] - x) <= 4 and abs(_last_click["at"][1] - y) <= 4:
        time.sleep(max(0.0, _last_click["time"] + 0.7 - time.monotonic()))
    pointer_to(x, y)
    args = ["xdotool", "click"]
    if repeat > 1:
        args += ["--repeat", str(repeat), "--delay", "80"]
    run(*args, str(button))
    _last_click.update(at=(x, y), time=time.monotonic())


def drag(x0, y0, x1, y1, steps=8):
    """Presses the left button at one place, moves in steps to the other and lets go there."""
    pointer_to(x0, y0)
    run("xdotool", "mousedown", "1")
    time.sleep(0.05)
    for i in range(1, steps + 1):
        pointer_to(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        time.sleep(0.03)
    time.sleep(0.1)
    run("xdotool", "mouseup", "1")


def keys(*names):
    for name in names:
        run("xdotool", "key", "--delay", "60", name)
        time.sleep(0.05)


_last_typed = {"time": 0.0}


def type_text(text):
    run("xdotool", "type", "--delay", "60", text)
    _last_typed["time"] = time.monotonic()


def last_typed():
    """When type_text last finished typing."""
    return _last_typed["time"]
