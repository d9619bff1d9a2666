"""Capture: the picture of a started program's window as its document's preview."""

import os
import re
import shutil
import signal

from desktop import Failure, find_windows, keys, load_picture, near, wait_until
from helpers import BLACK, BLUE


def capture_application(suite):
    """In the samples folder the user starts the spreadsheet with Enter: its program (the test
    window) comes up with the document's path, the title mark turns blue while the capture
    waits, the window's picture is stored in the cache under the document's flattened path,
    the mark turns black again, and selecting the document shows the captured picture as
    its preview."""
    suite.step_name = "capture"
    suite.open_folder(0, "Orvane - C:\\")
    suite.open_folder(2, "Orvane - C:\\samples")
    suite.select("sh", "sheet.xls")
    suite.look("the pane's notice and no preview",
              lambda s: suite.dark_in_pane(s, 40) > 50 and suite.pane_count(s, (255, 128, 0), 8) == 0)
    suite.keep("before")
    keys("Return")
    shot = suite.look("the title mark blue while the capture waits",
                     lambda s: mark_count(suite, s, BLUE) > 40 * (suite.band - 4), timeout=15)
    suite.keep("mark-blue")
    started = wait_until("the test window", lambda: find_windows(r"^Test window - "))[0]
    suite.expect(started.name().endswith("sheet.xls"), f"the program was started for {started.name()}")
    log = open(suite.world.window_log).read().split()
    suite.expect(log and log[-1] == os.path.join(suite.world.samples, "sheet.xls"),
                f"the program was given {log}, expected the document's host path")
    picture_path = os.path.join(suite.world.cache, "C#!samples!sheet.xls.bmp")
    wait_until("the captured picture in the cache", lambda: os.path.exists(picture_path), timeout=15)
    suite.look("the title mark black again", lambda s: mark_count(suite, s, BLUE) == 0
              and mark_count(suite, s, BLACK) > 20 * (suite.band - 4))
    suite.keep("mark-black")
    picture = wait_until("the captured picture complete", lambda: load_capture(suite, picture_path))
    orange = picture.count(0, 0, picture.width, picture.height, lambda c: near(c, (255, 128, 0), 8))
    teal = picture.count(0, 0, picture.width, picture.height, lambda c: near(c, (0, 128, 128), 8))
    suite.expect(240 <= picture.width <= 1024 and 120 <= picture.height <= 768,
                f"captured picture of {picture.width} x {picture.height}")
    suite.expect(orange >= 120 * 120 - 400 - 200 and teal >= 120 * 120 - 200,
                f"the captured picture holds {orange} orange and {teal} teal pixels, not the test window")
    shutil.copy(picture_path, os.path.join(suite.shots, f"{suite.step_number + 1:02d}-capture-picture.bmp"))
    try:
        os.kill(int(re.search(r"= (\d+)", started.property("_NET_WM_PID")).group(1)), signal.SIGTERM)
    except (AttributeError, ProcessLookupError):
        pass
    wait_until("the test window gone", lambda: not started.viewable())
    # Selecting another file and the document again shows the stored picture in the pane.
    suite.select("pi", "picture.bmp")
    suite.look("the picture", lambda s: suite.picture_at(s, *suite.pane_point(0, 0)))
    suite.select("sh", "sheet.xls")
    left, top, width, height = suite.pane()
    suite.look("the captured picture as the preview",
              lambda s: suite.matches_picture(s, picture, *suite.pane_point(0, 0),
                                             limit=(width - 12, height - 12)) > 0.97)
    suite.keep("preview")


def mark_count(suite, shot, colour):
    left, top, width, _ = suite.rect("Mark")
    return suite.count(shot, left, top, width, suite.band - 2, colour, 8)


def load_capture(suite, path):
    try:
        return load_picture(path)
    except Failure:
        return None
