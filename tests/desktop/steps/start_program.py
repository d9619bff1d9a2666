"""The start: orvane comes up in its start folder, where its settings put it."""

import os
import subprocess

from desktop import find_windows, wait_until
from fixture import MAIN_BOUNDS
from helpers import BLACK, FUCHSIA, W, H


def start_program(suite):
    """The user starts orvane in the start folder: the main window comes up where the second
    settings file put it, at its client size, with the crawling title mark."""
    suite.world.make()
    log = open(os.path.join(suite.out, "orvane.log"), "w")
    environment = {**suite.world.environment(), **suite.controls.environment()}
    suite.process = subprocess.Popen([suite.orvane_path], cwd=suite.world.work, env=environment,
                                     stdout=log, stderr=subprocess.STDOUT)
    windows = wait_until("the main window", lambda: find_windows(r"^Orvane - C:\\work$"), timeout=30)
    suite.main = windows[0]
    geometry = wait_until("the main window on the screen", suite.main.geometry)
    left, right, top, bottom = suite.main.frame_extents()
    suite.expect(geometry[2:] == (W, H), f"main window client area {geometry[2:]}, expected {(W, H)}")
    suite.expect((geometry[0] - left, geometry[1] - top) == (MAIN_BOUNDS[1], MAIN_BOUNDS[0]),
                f"main window frame at {(geometry[0] - left, geometry[1] - top)}, expected "
                f"{(MAIN_BOUNDS[1], MAIN_BOUNDS[0])}")
    mark_left, _, _, _ = suite.rect("Mark")
    shot = suite.look("the black title mark with the fuchsia title",
                     lambda s: suite.count(s, mark_left, 0, 50, 50, BLACK, 8) > 500
                     and suite.count(s, mark_left, 0, 50, 50, FUCHSIA, 40) > 20)
    suite.keep("main-window")
    # The title crawls left five pixels a second: its fuchsia moves.
    first = fuchsia_columns(suite, shot, mark_left)
    suite.look("the title to crawl", lambda s: fuchsia_columns(suite, s, mark_left) != first, timeout=10)
    suite.keep("title-crawled")
    suite.expect(not find_windows(r"^Orvane - Non$"), "the detached viewer is shown in the under arrangement")


def fuchsia_columns(suite, shot, mark_left):
    return [x for x in range(50) if suite.count(shot, mark_left + x, 0, 1, 50, FUCHSIA, 40) > 0]
