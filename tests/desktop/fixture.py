"""The desktop suite's world: a home folder made afresh for each run, with the start folder and its
two settings files, a folder of every kind of file the viewer shows, a folder for sorting, the
user's file types and the program the spreadsheet type starts.

    HOME/work/       start folder (C:\\work): TavoCust.cnf, TavoCust2.cnf, later View\\ (the cache)
    HOME/samples/    one file of every kind (a PNG, a PDF, an MP3 and a text in EUC-JP among them),
                     and a subfolder
    HOME/samples/sub the keyboard's files: a text, a picture and a cursor that cannot be read, a
                     file that no program opens, and a sheet
    HOME/sorting/    four small files whose name, type, size and date orders all differ, a folder
    HOME/bin/        sheet.sh, the registered program of the .xls and .cur types
    CONFIG/orvane/classes.reg
"""

import math
import os
import shutil
import struct
import subprocess
import time
import wave

# The picture's four quarters, left to right, top to bottom.
PICTURE_SIZE = (120, 90)
PICTURE_QUARTERS = ((255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0))

# A picture taller than any pane: horizontal bands of these colours, TALL_BAND_HEIGHT pixels each.
TALL_BANDS = ((200, 0, 0), (0, 200, 0), (0, 0, 200), (200, 200, 0), (0, 200, 200), (200, 0, 200),
              (100, 50, 0), (0, 100, 50), (50, 0, 100))
TALL_BAND_HEIGHT = 100
TALL_SIZE = (200, len(TALL_BANDS) * TALL_BAND_HEIGHT)

# The pictures of the page: a GIF and a JPEG of one colour each.
PAGE_GIF = ((0, 128, 0), (64, 48))
PAGE_JPEG = ((0, 0, 255), (48, 64))

# The same Japanese line in both encodings of the text files.
JAPANESE_TEXT = "表示テスト ソフト能力 ABC\r\n日本語の文章です。\r\n"

# Name, size in bytes, year of the last change: every key orders these differently.
SORTING_FILES = (("a.log", 400, 2022), ("b.txt", 100, 2023), ("c.csv", 300, 2021), ("d.dat", 200, 2020))
SORTING_FOLDER = "zeta"

SOUND_SECONDS = 2.5

# The picture of today's formats (tests/data/pictures/bands.png): 40 x 30 pixels in three bands of
# 10 rows, and the PDF page (page.pdf): 200 x 100 points, its upper half red, its lower half blue.
BANDS = ((255, 0, 0), (0, 255, 0), (0, 0, 255))
BAND_HEIGHT = 10

# The main window and the detached viewer as TavoCust2.cnf places them: top, left, outer width
# and height (the client area is 8 pixels narrower and 23 lower).
MAIN_BOUNDS = (20, 10, 808, 583)
VIEW_BOUNDS = (150, 540, 476, 212)
CAPTURE_WAIT_SECONDS = 3


def write_bmp(path, width, height, colour_at):
    """A 24-bit Windows bitmap, bottom row first."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * (stride - width * 3))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as file:
        file.write(header + info + pixels)


def picture_colour(x, y):
    width, height = PICTURE_SIZE
    return PICTURE_QUARTERS[(1 if x >= width // 2 else 0) + (2 if y >= height // 2 else 0)]


def write_tone(path, seconds):
    """A 440 Hz tone, 8 kHz mono 16-bit."""
    rate = 8000
    frames = b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * 440 * i / rate)))
                      for i in range(int(rate * seconds)))
    with wave.open(path, "wb") as sound:
        sound.setnchannels(1)
        sound.setsampwidth(2)
        sound.setframerate(rate)
        sound.writeframes(frames)


def crlf_lines(*lines):
    return "".join(f"{line}\r\n" for line in lines).encode("cp932")


class World:
    def __init__(self, root, source_dir, test_window):
        self.root = root
        self.home = os.path.join(root, "home")
        self.config = os.path.join(root, "config")
        self.work = os.path.join(self.home, "work")
        self.samples = os.path.join(self.home, "samples")
        self.sorting = os.path.join(self.home, "sorting")
        self.cache = os.path.join(self.work, "View")
        self.window_log = os.path.join(root, "test-window.log")
        self.source_dir = source_dir
        self.test_window = test_window

    def make(self):
        shutil.rmtree(self.root, ignore_errors=True)
        for folder in (self.work, self.samples, os.path.join(self.samples, "sub"), self.sorting,
                       os.path.join(self.sorting, SORTING_FOLDER), os.path.join(self.home, "bin"),
                       os.path.join(self.config, "orvane")):
            os.makedirs(folder)
        self.make_settings()
        self.make_samples()
        self.make_sorting()
        self.make_file_types()

    def make_settings(self):
        top, left, width, height = MAIN_BOUNDS
        vtop, vleft, vwidth, vheight = VIEW_BOUNDS
        with open(os.path.join(self.work, "TavoCust2.cnf"), "wb") as file:
            file.write(crlf_lines(top, left, width, height, vtop, vleft, vwidth, vheight))
        # The stored settings: a short capture wait, capture limits at the desktop, no message,
        # unlisted types as text, list style, ascending by name, the viewer below the list, both
        # bars; no own capture or text types; the cache in the start folder.
        with open(os.path.join(self.work, "TavoCust.cnf"), "wb") as file:
            file.write(crlf_lines(CAPTURE_WAIT_SECONDS, 768, 1024, 0, 0, 0, 1, 0, 1, 0, 1, 1,
                                  "@CAP", "@TXT", "C:\\work\\View", 10))

    def data(self, *parts):
        return os.path.join(self.source_dir, *parts)

    def make_samples(self):
        s = self.samples
        write_bmp(os.path.join(s, "picture.bmp"), *PICTURE_SIZE, picture_colour)
        write_bmp(os.path.join(s, "tall.bmp"), *TALL_SIZE, lambda x, y: TALL_BANDS[y // TALL_BAND_HEIGHT])
        shutil.copy(self.data("tests", "desktop", "data", "app.exe"), s)
        with open(os.path.join(s, "sjis.txt"), "wb") as file:
            file.write(JAPANESE_TEXT.encode("cp932"))
        with open(os.path.join(s, "utf8.txt"), "wb") as file:
            file.write(JAPANESE_TEXT.encode("utf-8"))
        with open(os.path.join(s, "letter.rtf"), "wb") as file:
            file.write(b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 IPAGothic;}}"
                       b"{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"
                       b"\\f0\\fs40 \\cf1 Black words, \\cf2\\b red words\\b0\\cf1 .\\par}")
        (gif_colour, gif_size), (jpeg_colour, jpeg_size) = PAGE_GIF, PAGE_JPEG
        for name, colour, size in (("green.gif", gif_colour, gif_size), ("blue.jpg", jpeg_colour, jpeg_size)):
            subprocess.run(["convert", "-size", f"{size[0]}x{size[1]}", "xc:rgb({},{},{})".format(*colour),
                            os.path.join(s, name)], check=True)
        with open(os.path.join(s, "page.htm"), "wb") as file:
            file.write(b"<html><body><p>A page with two pictures:</p>"
                       b"<p><img src=\"green.gif\"> <img src=\"blue.jpg\"></p></body></html>")
        for name in ("drawing.wmf", "drawing.emf"):
            shutil.copy(self.data("tests", "data", "metafile", name), s)
        write_tone(os.path.join(s, "tone.wav"), SOUND_SECONDS)
        shutil.copy(self.data("tests", "data", "media", "clip.avi"), s)
        with open(os.path.join(s, "sheet.xls"), "wb") as file:
            file.write(b"a sheet")
        self.make_today_files(s)
        self.make_keyboard_files(os.path.join(s, "sub"))

    def make_today_files(self, folder):
        """A PNG picture, a PDF document and an MP3 sound, the types shown beyond the program's own
        tables. The sound is the WAV tone, encoded by GStreamer's LAME encoder."""
        shutil.copy(self.data("tests", "data", "pictures", "bands.png"), folder)
        shutil.copy(self.data("tests", "data", "pictures", "page.pdf"), os.path.join(folder, "form.pdf"))
        # One Japanese text, in Shift-JIS and in EUC-JP.
        shutil.copy(self.data("tests", "data", "text", "japanese.sjis.txt"), os.path.join(folder, "kana-sjis.txt"))
        shutil.copy(self.data("tests", "data", "text", "japanese.euc-jp.txt"), os.path.join(folder, "kana-euc.txt"))
        subprocess.run(["gst-launch-1.0", "-q", "filesrc", "location=" + os.path.join(folder, "tone.wav"), "!",
                        "wavparse", "!", "audioconvert", "!", "lamemp3enc", "!", "filesink",
                        "location=" + os.path.join(folder, "music.mp3")], check=True)

    def make_keyboard_files(self, folder):
        """In name order: a text to start from, a picture and a cursor that cannot be read (links
        to nothing; the cursor's type is the sheet's), a file of a type no program opens, and a
        sheet. The sheet's program is the test window."""
        with open(os.path.join(folder, "a.txt"), "wb") as file:
            file.write(b"The first file.\r\n")
        os.symlink("missing.bmp", os.path.join(folder, "broken.bmp"))
        os.symlink("missing.cur", os.path.join(folder, "gone.cur"))
        with open(os.path.join(folder, "plain.zzz"), "wb") as file:
            file.write(b"No program opens this.\r\n")
        with open(os.path.join(folder, "table.xls"), "wb") as file:
            file.write(b"another sheet")

    def make_sorting(self):
        for name, size, year in SORTING_FILES:
            path = os.path.join(self.sorting, name)
            with open(path, "wb") as file:
                file.write(b"x" * size)
            stamp = time.mktime((year, 3, 1, 12, 0, 0, 0, 0, -1))
            os.utime(path, (stamp, stamp))

    def make_file_types(self):
        script = os.path.join(self.home, "bin", "sheet.sh")
        with open(script, "w") as file:
            file.write(f"#!/bin/sh\nexec '{self.test_window}' --geometry 240x120+620+610 \"$@\"\n")
        os.chmod(script, 0o755)
        with open(os.path.join(self.config, "orvane", "classes.reg"), "wb") as file:
            file.write(crlf_lines("REGEDIT4", "",
                                  "[HKEY_CLASSES_ROOT\\.xls]", '@="Orvane.TestSheet"', "",
                                  "[HKEY_CLASSES_ROOT\\.cur]", '@="Orvane.TestSheet"', "",
                                  "[HKEY_CLASSES_ROOT\\Orvane.TestSheet]", '@="Test sheet"', "",
                                  "[HKEY_CLASSES_ROOT\\Orvane.TestSheet\\shell\\open\\command]",
                                  '@="C:\\\\bin\\\\sheet.sh %1"', ""))

    def environment(self):
        env = dict(os.environ)
        env.update(HOME=self.home, XDG_CONFIG_HOME=self.config,
                   XDG_DATA_HOME=os.path.join(self.root, "data"), XDG_CACHE_HOME=os.path.join(self.root, "cache"),
                   ORVANE_TEST_WINDOW_LOG=self.window_log, LANG="C.UTF-8")
        env.pop("QT_QPA_PLATFORM", None)
        return env
