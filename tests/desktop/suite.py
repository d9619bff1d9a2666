#!/usr/bin/env python3
"""The desktop suite: the real orvane on an X display with a window manager, driven with the mouse
and the keyboard the way a user works with it, one function per user step. Each step waits for
what it must bring about, keeps a screenshot in the artefact folder and checks on it what must be
there: colours at known places, window geometry, the files the program writes.

    suite.py --orvane PATH --test-window PATH --render PATH --source DIR --out DIR [--steps A,B]

Runs on the display of $DISPLAY, which must have a window manager (with-wm.sh starts one).
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import traceback

sys.dont_write_bytecode = True  # no __pycache__ beside the suite in the source tree

from desktop import (Failure, Window, active_window, click_at, drag, find_windows, grab, keys, load_picture, near,
                     pointer_to, run, stacking_order, type_text, wait_until)
import desktop
import fixture
from fixture import MAIN_BOUNDS, VIEW_BOUNDS

# Colours of the program.
FACE = (192, 192, 192)
WHITE = (255, 255, 255)
SHADOW = (128, 128, 128)
BLACK = (0, 0, 0)
FUCHSIA = (255, 0, 255)
RED = (255, 0, 0)
BLUE = (0, 0, 255)
NAVY = (0, 0, 128)
GREEN = (0, 128, 0)
PURPLE = (128, 0, 128)

# The main window's client size, from its stored outer size and the fixed frame metrics.
W, H = MAIN_BOUNDS[2] - 8, MAIN_BOUNDS[3] - 23
FW, FH = MAIN_BOUNDS[2], MAIN_BOUNDS[3]

# The menu captions (left, width) on the top band, 18 pixels high from y 3, and where their
# drop-downs open.
CAPTIONS = {"file": (6, 65), "view": (72, 86), "tool": (158, 64), "help": (224, 56)}
DROP_DOWNS = {"file": (9, 21), "view": (75, 21), "tool": (161, 21), "help": (227, 21)}
# Items of each drop-down: name -> (left, top, width) within it; items are 20 high.
ITEMS = {
    "file": {"option": (3, 2, 84), "close": (3, 21, 84)},
    "view": {"separate": (3, 2, 84), "under": (3, 22, 84), "right": (3, 42, 84)},
    "tool": {"style": (3, 2, 84), "order": (8, 22, 79), "direction": (3, 42, 84)},
    "help": {"help": (7, 5, 78), "version": (6, 26, 78)},
}
# The second-level drop-downs of the tool menu, where they open and their items.
SECOND_LEVEL = {
    "style": ((246, 23), {"report": (3, 4), "list": (3, 24), "icon": (3, 44)}),
    "order": ((251, 43), {"name": (3, 3), "type": (3, 23), "date": (3, 43), "size": (3, 63)}),
    "direction": ((246, 63), {"ascending": (3, 3), "descending": (3, 24)}),
}
# The sort buttons on the top band: left edge of each 28 x 18 button.
SORT_BUTTONS = {"name": 284, "type": 312, "date": 340, "size": 369, "toggle": 406}

# What each key makes first and last among the files of the sorting folder, ascending.
SORT_ENDS = {"name": ("a.log", "d.dat"), "type": ("c.csv", "b.txt"), "size": ("b.txt", "a.log"),
             "date": ("d.dat", "b.txt")}


class Suite:
    def __init__(self, args):
        self.orvane_path = args.orvane
        self.out = args.out
        self.shots = os.path.join(args.out, "shots")
        self.world = fixture.World(os.path.join(args.out, "world"), args.source, args.test_window)
        self.process = None
        self.main = None
        self.view = None
        self.step_number = 0
        self.step_name = "start"
        self.last_shot = None
        self.render_path = args.render
        self.band = 50
        self.layout = {"pane": self.under_pane()}
        self.origins = {}
        self.viewer_moved = False

    # --- Helpers of every step ---------------------------------------------------------------------

    def origin(self, window=None):
        """The client area's top-left corner on the screen; asked of the X server once per
        screenshot, not once per pixel."""
        window = window or self.main
        if window.id not in self.origins:
            geometry = window.geometry()
            if not geometry:
                raise Failure("the window is not on the screen")
            self.origins[window.id] = geometry[0], geometry[1]
        return self.origins[window.id]

    def at(self, x, y, window=None):
        """Screen position of a point of the main window's client area (or another window's)."""
        left, top = self.origin(window)
        return left + x, top + y

    def click(self, x, y, button=1, repeat=1, window=None):
        self.origins.clear()
        click_at(*self.at(x, y, window), button=button, repeat=repeat)

    def hover(self, x, y, window=None):
        self.origins.clear()
        pointer_to(*self.at(x, y, window))

    def drag(self, x0, y0, x1, y1, window=None):
        self.origins.clear()
        drag(*self.at(x0, y0, window), *self.at(x1, y1, window))

    def caption(self):
        return self.main.name()

    def wait_caption(self, text, timeout=20):
        wait_until(f'the caption "{text}" (it reads "{self.caption()}")', lambda: self.caption() == text, timeout)

    def pixel(self, shot, x, y, window=None):
        return shot.pixel(*self.at(x, y, window))

    def count(self, shot, x, y, width, height, colour, tolerance=24, window=None):
        left, top = self.at(x, y, window)
        return shot.count(left, top, width, height, lambda c: near(c, colour, tolerance))

    def look(self, what, condition, timeout=20):
        """Takes screenshots until condition(shot) holds; keeps the last one."""
        def attempt():
            self.origins.clear()
            self.last_shot = grab()
            return condition(self.last_shot)
        begun = time.monotonic()
        wait_until(what, attempt, timeout, interval=0.15)
        if time.monotonic() - begun > 2:
            print(f"     slow: {time.monotonic() - begun:.1f} s for {what}", flush=True)
        return self.last_shot

    def keep(self, name, shot=None):
        """Keeps the step's screenshot as an artefact: NN-step-name.png."""
        self.step_number += 1
        shot = shot or self.last_shot or grab()
        shot.save(os.path.join(self.shots, f"{self.step_number:02d}-{self.step_name}-{name}.png"))

    def expect(self, condition, message):
        if not condition:
            raise Failure(message)

    # --- Start and windows -------------------------------------------------------------------------

    def start_program(self):
        """The user starts orvane in the start folder: the main window comes up where the second
        settings file put it, at its client size, with the crawling title mark."""
        self.world.make()
        log = open(os.path.join(self.out, "orvane.log"), "w")
        self.process = subprocess.Popen([self.orvane_path], cwd=self.world.work, env=self.world.environment(),
                                        stdout=log, stderr=subprocess.STDOUT)
        windows = wait_until("the main window", lambda: find_windows(r"^Orvane - C:\\work$"), timeout=30)
        self.main = windows[0]
        geometry = wait_until("the main window on the screen", self.main.geometry)
        left, right, top, bottom = self.main.frame_extents()
        self.expect(geometry[2:] == (W, H), f"main window client area {geometry[2:]}, expected {(W, H)}")
        self.expect((geometry[0] - left, geometry[1] - top) == (MAIN_BOUNDS[1], MAIN_BOUNDS[0]),
                    f"main window frame at {(geometry[0] - left, geometry[1] - top)}, expected "
                    f"{(MAIN_BOUNDS[1], MAIN_BOUNDS[0])}")
        mark_left = W - 50
        shot = self.look("the black title mark with the fuchsia title",
                         lambda s: self.count(s, mark_left, 0, 50, 50, BLACK, 8) > 500
                         and self.count(s, mark_left, 0, 50, 50, FUCHSIA, 40) > 20)
        self.keep("main-window")
        # The title crawls left five pixels a second: its fuchsia moves.
        first = self.fuchsia_columns(shot, mark_left)
        self.look("the title to crawl", lambda s: self.fuchsia_columns(s, mark_left) != first, timeout=10)
        self.keep("title-crawled")
        self.expect(not find_windows(r"^Orvane - Non$"), "the detached viewer is shown in the under arrangement")

    def fuchsia_columns(self, shot, mark_left):
        return [x for x in range(50) if self.count(shot, mark_left + x, 0, 1, 50, FUCHSIA, 40) > 0]

    # --- Folders and drives ------------------------------------------------------------------------

    def tree_line(self, index):
        """Client position of a line of the folder tree."""
        return 40, self.band + 14 + 16 * index

    def tree_lines(self, shot):
        """How many lines of the folder tree carry a (yellow) folder icon, from the top."""
        lines = 0
        while lines < 14 and self.count(shot, 6, self.band + 6 + 16 * lines, 20, 16, (255, 255, 0), 40) > 8:
            lines += 1
        return lines

    def list_rows(self, shot):
        """How many rows of the list style's first column carry an icon, from the top."""
        rows = 0
        while rows < 9 and self.count(shot, 132, self.band + 6 + 18 * rows, 16, 18, WHITE, 0) < 16 * 18 - 8:
            rows += 1
        return rows

    def pick_drive(self, letter, caption):
        """Opens the drive box and picks the drive by its letter."""
        below = grab()
        self.click(70, 36)
        self.look("the drive box's list open",
                  lambda s: self.count(s, 20, 46, 100, 40, FACE, 0) != self.count(below, 20, 46, 100, 40, FACE, 0))
        type_text(letter)
        keys("Return")
        self.wait_caption(caption)

    def pick_drive_and_folder(self):
        """The user picks drive Z: (the root of the host) and back C:, then goes up to C:\\ in the
        folder tree and down into the sorting folder."""
        self.step_name = "folders"
        self.pick_drive("z", "Orvane - Z:\\")
        # The host's root has many folders: the tree and the list fill up.
        self.look("the tree and the list of the host's root",
                  lambda s: self.tree_lines(s) >= 10 and self.list_rows(s) >= 8)
        self.keep("drive-z")
        self.pick_drive("c", "Orvane - C:\\work")
        self.look("the tree at C:\\work, the cache folder made at the start and the two settings files",
                  lambda s: self.tree_lines(s) == 3 and self.list_rows(s) == 3)
        # C:\ holds bin, samples, sorting and work, in this order.
        self.open_folder(0, "Orvane - C:\\", tree=5, rows=4)
        self.keep("drive-c-root")
        self.open_folder(3, "Orvane - C:\\sorting", tree=3, rows=5)
        self.keep("sorting-folder")
        # A double-click on a folder's row in the list (it starts nothing) enters the folder.
        self.click(180, self.band + 6 + 9, repeat=2)
        self.wait_caption("Orvane - C:\\sorting\\zeta")
        self.look("the empty folder zeta", lambda s: self.tree_lines(s) == 3 and self.list_rows(s) == 0)
        self.keep("folder-row-entered")
        self.open_folder(1, "Orvane - C:\\sorting", tree=3, rows=5)

    def open_folder(self, line, caption, tree=None, rows=None):
        """Double-clicks a line of the folder tree; the caption names the folder, and where given
        the tree shows that many lines and the list that many rows."""
        self.click(*self.tree_line(line), repeat=2)
        self.wait_caption(caption)
        if tree is not None:
            self.look(f"{tree} lines in the tree and {rows} rows in the list",
                      lambda s: self.tree_lines(s) == tree and self.list_rows(s) == rows)

    # --- Sorting -----------------------------------------------------------------------------------

    def check_order(self, first, last):
        """Home and Down select the first file after the folder, End the last one; each shows its
        name in the caption."""
        self.click(W // 2, 190)
        keys("Home", "Down")
        self.wait_caption(f"Orvane - C:\\sorting\\{first}")
        keys("End")
        self.wait_caption(f"Orvane - C:\\sorting\\{last}")

    def red_button(self, shot, key):
        return self.count(shot, SORT_BUTTONS[key], 0, 28, 18, RED, 60) > 10

    def sort_by_each_key(self):
        """The user sorts the sorting folder by each key with its button and turns the direction
        with the toggle: the folder always comes first, the key's button caption turns red, the
        others black."""
        self.step_name = "sort"
        for key in ("type", "size", "date", "name"):
            self.click(SORT_BUTTONS[key] + 14, 8)
            shot = self.look(f"the {key} button in red",
                             lambda s: self.red_button(s, key)
                             and not any(self.red_button(s, k) for k in SORT_BUTTONS if k != key))
            self.keep(f"{key}-ascending", shot)
            first, last = SORT_ENDS[key]
            self.check_order(first, last)
            self.click(SORT_BUTTONS["toggle"] + 14, 8)
            self.check_order(last, first)
            self.keep(f"{key}-descending", grab())
            self.click(SORT_BUTTONS["toggle"] + 14, 8)
            self.check_order(first, last)


    # --- Menus ---------------------------------------------------------------------------------------

    def caption_edge(self, shot, menu):
        """The colour of a menu caption's top edge: white raised, shadow lowered, face at rest."""
        left, width = CAPTIONS[menu]
        return self.pixel(shot, left + width // 2, 3)

    def drop_down_shown(self, shot, left, top, width, height):
        """A drop-down covers the white list and tree below the top band with its face colour (and
        the navy of a lit item)."""
        y0 = max(top, 56)
        area = width * (top + height - 2 - y0)
        x, y = self.at(left + 2, y0)
        return shot.count(x, y, width - 4, top + height - 2 - y0,
                          lambda c: near(c, FACE, 4) or near(c, NAVY, 4)) > area * 0.6

    def menu_shown(self, shot, menu):
        size = {"file": (90, 44), "view": (90, 67), "tool": (90, 65), "help": (90, 50)}[menu]
        return self.drop_down_shown(shot, *DROP_DOWNS[menu], *size)

    def second_shown(self, shot, level):
        (left, top), _ = SECOND_LEVEL[level]
        size = {"style": (89, 67), "order": (89, 86), "direction": (84, 46)}[level]
        return self.drop_down_shown(shot, left, top, *size)

    def item_place(self, menu, item):
        left, top = DROP_DOWNS[menu]
        ileft, itop, width = ITEMS[menu][item]
        return left + ileft, top + itop, width

    def hover_item(self, menu, item):
        left, top, width = self.item_place(menu, item)
        self.hover(left + width // 2, top + 10)

    def click_item(self, menu, item):
        left, top, width = self.item_place(menu, item)
        self.click(left + width // 2, top + 10)

    def second_item(self, level, item):
        (left, top), items = SECOND_LEVEL[level]
        return left + items[item][0], top + items[item][1]

    def ticked(self, shot, left, top):
        """The tick of an item whose check image sits at (2, 1) of the item: its long stroke."""
        return self.pixel(shot, left + 2 + 6, top + 1 + 10) == BLACK

    def open_menu(self, menu):
        """A click on the caption opens its drop-down and lowers the caption."""
        left, width = CAPTIONS[menu]
        self.click(left + width // 2, 12)
        return self.look(f"the {menu} menu open",
                         lambda s: self.menu_shown(s, menu) and self.caption_edge(s, menu) == SHADOW)

    def open_second_level(self, level):
        """Hovering an item of the tool menu opens its second level."""
        self.hover_item("tool", level)
        return self.look(f"the {level} menu open", lambda s: self.second_shown(s, level)
                         and (level == "order" or not self.order_strip_shown(s)))

    def order_strip_shown(self, shot):
        """The bottom of the sort key menu, which no other second level covers."""
        return self.count(shot, 253, 112, 84, 14, FACE, 4) > 84 * 14 * 0.6

    def choose_second(self, level, item):
        """Opens the tool menu and the second level and clicks the item; the menus close."""
        self.open_menu("tool")
        self.open_second_level(level)
        self.click(*[v + d for v, d in zip(self.second_item(level, item), (30, 10))])
        self.look("the menus closed", lambda s: not self.menu_shown(s, "tool") and not self.second_shown(s, level))

    def menus_by_hover_and_click(self):
        """The user hovers and clicks the panel menus: a hovered caption rises, a click opens its
        drop-down, and in menu mode hovering another caption opens that one; items light up under
        the pointer; the tick marks the current choice; the second levels sort the list."""
        self.step_name = "menus"
        self.hover(CAPTIONS["view"][0] + 20, 12)
        shot = self.look("the viewer caption raised", lambda s: self.caption_edge(s, "view") == WHITE)
        self.expect(not self.menu_shown(shot, "view"), "hovering a caption outside menu mode opened its menu")
        self.keep("caption-raised")
        self.open_menu("file")
        self.keep("file-menu")
        self.hover(CAPTIONS["view"][0] + 20, 12)
        shot = self.look("the viewer menu open by hovering, the file menu closed",
                         lambda s: self.menu_shown(s, "view") and not self.menu_shown(s, "file")
                         and self.caption_edge(s, "view") == SHADOW and self.caption_edge(s, "file") == FACE)
        left, top, _ = self.item_place("view", "under")
        self.expect(self.ticked(shot, left, top), "the under viewer carries no tick")
        for item in ("separate", "right"):
            self.expect(not self.ticked(shot, *self.item_place("view", item)[:2]), f"the {item} viewer is ticked")
        self.keep("view-menu")
        self.hover_item("view", "right")
        left, top, width = self.item_place("view", "right")
        uleft, utop, uwidth = self.item_place("view", "under")
        self.look("the right viewer item lit", lambda s: self.count(s, left, top, width, 20, NAVY, 8) > width * 10
                  and self.count(s, uleft, utop, uwidth, 20, NAVY, 8) == 0)
        self.keep("item-lit")
        # The file list is work area: every drop-down closes, menu mode stays on, so the help
        # caption opens its menu at once.
        self.hover(W // 2, 200)
        self.look("the menus closed over the list", lambda s: not self.menu_shown(s, "view"))
        self.hover(CAPTIONS["help"][0] + 20, 12)
        self.look("the help menu open by hovering", lambda s: self.menu_shown(s, "help"))
        self.hover_item("help", "version")
        self.keep("help-menu")
        self.click_item("help", "version")
        about = wait_until("the version dialog", lambda: find_windows("^Orvane ﾊﾞｰｼﾞｮﾝ情報$"))[0]
        geometry = wait_until("the version dialog on the screen", about.geometry)
        self.expect(geometry[2:] == (239, 127), f"version dialog client {geometry[2:]}, expected (239, 127)")
        self.expect("_NET_WM_ACTION_CLOSE" not in about.property("_NET_WM_ALLOWED_ACTIONS"),
                    "the version dialog can be closed from its frame")
        self.look("the version dialog drawn: its face and the program's name in black",
                  lambda s: self.count(s, 0, 0, 239, 127, FACE, 4, window=about) > 239 * 127 // 3
                  and self.count(s, 60, 15, 160, 50, BLACK, 60, window=about) > 40)
        self.keep("version-dialog")
        self.click(89 + 32, 96 + 12, window=about)
        wait_until("the version dialog closed", lambda: not about.viewable())
        # The tool menu's second levels: the tick follows the sort key and the direction.
        self.open_menu("tool")
        shot = self.open_second_level("order")
        self.expect(self.ticked(shot, *self.second_item("order", "name")), "sorting by name is not ticked")
        self.keep("order-menu")
        self.hover(*[v + d for v, d in zip(self.second_item("order", "date"), (30, 10))])
        self.click(*[v + d for v, d in zip(self.second_item("order", "date"), (30, 10))])
        self.look("the date button red", lambda s: self.red_button(s, "date"))
        self.check_order(*SORT_ENDS["date"])
        self.open_menu("tool")
        shot = self.open_second_level("order")
        self.expect(self.ticked(shot, *self.second_item("order", "date"))
                    and not self.ticked(shot, *self.second_item("order", "name")), "the tick did not follow")
        self.keep("order-ticked")
        self.open_second_level("direction")
        self.keep("direction-menu")
        self.click(*[v + d for v, d in zip(self.second_item("direction", "descending"), (30, 10))])
        self.look("the menus closed", lambda s: not self.second_shown(s, "direction"))
        self.check_order(*reversed(SORT_ENDS["date"]))
        self.open_menu("tool")
        shot = self.open_second_level("direction")
        self.expect(self.ticked(shot, *self.second_item("direction", "descending"))
                    and not self.ticked(shot, *self.second_item("direction", "ascending")),
                    "the direction tick did not follow")
        self.click(*[v + d for v, d in zip(self.second_item("direction", "ascending"), (30, 10))])
        self.check_order(*SORT_ENDS["date"])
        self.choose_second("order", "name")
        self.check_order(*SORT_ENDS["name"])
        # A click on the open caption closes its menu and ends menu mode.
        self.open_menu("file")
        left, width = CAPTIONS["file"]
        self.click(left + width // 2, 12)
        self.look("the file menu closed", lambda s: not self.menu_shown(s, "file"))
        self.hover(CAPTIONS["view"][0] + 20, 12)
        shot = self.look("the viewer caption raised", lambda s: self.caption_edge(s, "view") == WHITE)
        self.expect(not self.menu_shown(shot, "view"), "menu mode went on after its caption closed it")
        self.keep("menus-closed")
        self.hover(W // 2, 200)


    # --- List styles ---------------------------------------------------------------------------------

    def list_area(self):
        """The file list's rectangle below the header, in the list style: left, top, width, height."""
        top = self.band + 6
        return 130, top, W - 134, 180

    def purple_in_list(self, shot):
        return self.count(shot, *self.list_area(), PURPLE, 8)

    def switch_list_styles(self):
        """In the samples folder the user switches the list to details, large icons and back to the
        list style: the details have their header, the large icons the program's 32-pixel icon."""
        self.step_name = "styles"
        self.open_folder(0, "Orvane - C:\\")
        self.open_folder(2, "Orvane - C:\\samples")
        shot = self.look("the program's small icon", lambda s: 150 <= self.purple_in_list(s) <= 260)
        self.keep("list")
        left, top, width, _ = self.list_area()
        self.choose_second("style", "report")
        self.look("the details header and the small icon",
                  lambda s: self.count(s, left, top, width, 12, FACE, 4) > width * 12 * 0.7
                  and 150 <= self.purple_in_list(s) <= 260)
        self.keep("report")
        self.choose_second("style", "icon")
        self.look("the program's large icon", lambda s: 700 <= self.purple_in_list(s) <= 820)
        self.keep("icon")
        self.open_menu("tool")
        shot = self.open_second_level("style")
        self.expect(self.ticked(shot, *self.second_item("style", "icon")), "the large icons are not ticked")
        self.click(*[v + d for v, d in zip(self.second_item("style", "list"), (30, 10))])
        self.look("the program's small icon again", lambda s: 150 <= self.purple_in_list(s) <= 260)
        self.keep("list-again")

    # --- Showing files -------------------------------------------------------------------------------

    def select(self, prefix, name, folder="samples"):
        """Selects a file of the list by typing the start of its name; the caption names it."""
        self.click(*self.empty_list_place())
        keys("Home")
        # Letters typed within the keyboard search interval of the last ones would add to them.
        wait_until("the list's keyboard search over", lambda: time.monotonic() - desktop.last_typed() > 0.5)
        type_text(prefix)
        self.wait_caption(f"Orvane - C:\\{folder}\\{name}")

    def empty_list_place(self):
        left, top, width, height = self.list_area()
        if "list_click" in self.layout:
            return self.layout["list_click"]
        if "list_right" in self.layout:
            width = self.layout["list_right"] - left - 4
        return left + width - 20, top + height - 10

    def pane(self):
        """The viewer pane of the current arrangement: left, top, width, height."""
        return self.layout["pane"]

    def pane_point(self, x, y):
        left, top, _, _ = self.pane()
        return left + x, top + y

    def picture_at(self, shot, x, y, window=None):
        """The picture's four quarters with their top-left corner at x, y."""
        width, height = fixture.PICTURE_SIZE
        for (qx, qy), colour in zip(((1, 1), (3, 1), (1, 3), (3, 3)), fixture.PICTURE_QUARTERS):
            if not near(self.pixel(shot, x + qx * width // 4, y + qy * height // 4, window), colour, 8):
                return False
        return self.pixel(shot, x + 1, y + 1, window) == (255, 0, 0) \
            and not near(self.pixel(shot, x + width + 4, y + 4, window), (255, 0, 0), 60)

    def pane_count(self, shot, colour, tolerance=24, height=None):
        left, top, width, pane_height = self.pane()
        return self.count(shot, left + 2, top + 2, width - 4, (height or pane_height) - 4, colour, tolerance)

    def dark_in_pane(self, shot, height=60):
        left, top, width, _ = self.pane()
        x, y = self.at(left + 2, top + 2)
        return shot.count(x, y, min(width - 4, 500), height, lambda c: sum(c) < 200)

    def show_picture(self):
        self.select("pi", "picture.bmp")
        self.look("the picture at the pane's corner", lambda s: self.picture_at(s, *self.pane_point(0, 0)))

    def show_each_kind(self):
        """The user shows one file of every kind below the list: a picture, a program's icon, text
        in code page 932 and in UTF-8, rich text, a page with a GIF and a JPEG picture, both
        metafiles, a sound that plays to its end and a video."""
        self.step_name = "kinds"
        self.show_picture()
        self.keep("picture")
        self.scroll_tall_picture()
        self.select("ap", "app.exe")
        self.look("the program's icon at the pane's corner",
                  lambda s: near(self.pixel(s, *self.pane_point(2, 2)), PURPLE, 8)
                  and near(self.pixel(s, *self.pane_point(16, 16)), (255, 255, 0), 8))
        self.keep("program-icon")
        self.select("sj", "sjis.txt")
        # The text viewer's white page, not the notice of the file typed on the way ("s" selects
        # sheet.xls first), whose large dark letters alone would pass.
        shot = self.look("the code page 932 text", lambda s: self.dark_in_pane(s) > 150
                         and near(self.pixel(s, *self.pane_point(400, 150)), WHITE, 8))
        self.keep("text-cp932")
        left, top, width, _ = self.pane()
        text_area = (*self.at(left + 2, top + 2), min(width - 4, 500), 60)
        cp932 = shot.region(*text_area)
        self.select("u", "utf8.txt")
        shot = self.look("the UTF-8 text, drawn as the same characters",
                         lambda s: self.same(s.region(*text_area), cp932) > 0.99)
        self.keep("text-utf8")
        self.select("le", "letter.rtf")
        self.look("the rich text in black and red",
                  lambda s: self.dark_in_pane(s) > 100 and self.pane_count(s, RED, 60, 80) > 40)
        self.keep("rich-text")
        (gif, gif_size), (jpeg, jpeg_size) = fixture.PAGE_GIF, fixture.PAGE_JPEG
        self.select("pa", "page.htm")
        self.look("the page with its GIF and JPEG pictures",
                  lambda s: self.pane_count(s, gif, 16) >= gif_size[0] * gif_size[1] * 0.95
                  and self.pane_count(s, jpeg, 40) >= jpeg_size[0] * jpeg_size[1] * 0.9)
        self.keep("html")
        for prefix, name in (("dr", "drawing.emf"), ("drawing.w", "drawing.wmf")):
            reference = self.rendered(name)
            self.select(prefix, name)
            self.look(f"{name} drawn as the renderer draws it",
                      lambda s: self.matches_picture(s, reference, *self.pane_point(0, 0)) > 0.97)
            self.keep(name.replace(".", "-"))
        self.play_sound()
        self.show_video()

    def show_types_of_today(self):
        """The user shows a PNG picture, a PDF document and an MP3 sound below the list: the picture
        at the pane's corner as a BMP would be, the document's first page as wide as the pane (less
        the vertical bar's part of it), and the sound playing in the media panel."""
        self.step_name = "today"
        self.select("ba", "bands.png")
        bands = fixture.BANDS
        self.look("the PNG's bands at the pane's corner",
                  lambda s: all(near(self.pixel(s, *self.pane_point(20, fixture.BAND_HEIGHT * i + 5)), colour, 8)
                                for i, colour in enumerate(bands))
                  and not near(self.pixel(s, *self.pane_point(45, 5)), bands[0], 60))
        self.keep("png")
        self.select("f", "form.pdf")
        left, top, width, height = self.pane()
        page_width = width - 10
        page_height = page_width // 2
        red, blue = bands[0], bands[2]
        checks = [(page_width // 2, 5, red), (page_width - 4, 5, red)]
        if page_height * 3 // 4 < height - 12:
            checks.append((page_width // 2, page_height * 3 // 4, blue))
        self.look("the PDF page as wide as the pane",
                  lambda s: all(near(self.pixel(s, *self.pane_point(x, y)), colour, 24) for x, y, colour in checks)
                  and not near(self.pixel(s, *self.pane_point(page_width + 3, 5)), red, 60))
        self.keep("pdf")
        self.select("m", "music.mp3")
        self.look("the MP3 playing", lambda s: self.media_state(s) == "playing", timeout=15)
        self.keep("mp3-playing")
        self.look("the MP3 at its end", lambda s: self.media_state(s) == "waiting", timeout=20)

    def japanese_text_and_a_new_file(self):
        """The user shows a Japanese text written in EUC-JP: it is drawn exactly as the same text
        in Shift-JIS. Then another program makes a file in the shown folder: the list shows it
        without being asked, and the user selects it. The desktop knows the window as Orvane."""
        self.step_name = "japanese"
        left, top, width, height = self.pane()
        points = [(x, y) for y in range(2, min(height - 12, 60), 3) for x in range(2, min(width - 12, 300), 3)]

        def pixels(shot):
            return [self.pixel(shot, *self.pane_point(x, y)) for x, y in points]

        self.select("kana-s", "kana-sjis.txt")
        shot = self.look("the Shift-JIS text in the pane",
                         lambda s: sum(1 for p in pixels(s) if near(p, BLACK, 80)) > 30)
        shift_jis = pixels(shot)
        self.keep("shift-jis")
        self.select("kana-e", "kana-euc.txt")
        self.look("the EUC-JP text drawn as the Shift-JIS one", lambda s: pixels(s) == shift_jis, timeout=10)
        self.keep("euc-jp")

        with open(os.path.join(self.world.samples, "zz-made-elsewhere.txt"), "w") as made:
            made.write("made by another program\n")
        self.select("zz", "zz-made-elsewhere.txt")
        self.keep("new-file", grab())
        wm_class = run("xprop", "-id", self.main.id, "WM_CLASS").decode()
        self.expect('"Orvane"' in wm_class, f"the taskbar's class of the window is {wm_class.strip()}, not Orvane")

    def band_at(self, shot, x, y):
        """Which band of the tall picture the point shows, or None."""
        for index, colour in enumerate(fixture.TALL_BANDS):
            if near(self.pixel(shot, x, y), colour, 8):
                return index
        return None

    def scroll_tall_picture(self):
        """A picture taller than the pane gets the pane's vertical scroll bar (10 pixels of it at
        the right edge); dragging its thumb to the end (twice: the first move still runs against
        the bar's old range) pans the picture until its bottom edge meets the pane's."""
        self.select("ta", "tall.bmp")
        left, top, width, height = self.pane()
        bar_x = left + width - 5
        self.look("the tall picture from its top, with the vertical bar",
                  lambda s: self.band_at(s, left + 20, top + 1) == 0
                  and self.count(s, left + width - 10, top, 10, height, FACE, 24) > height * 3)
        self.keep("tall-picture")
        last = len(fixture.TALL_BANDS) - 1
        bottom = lambda s: self.band_at(s, left + 20, top + height - 2)
        for _ in range(2):
            self.drag(bar_x, top + 20, bar_x, top + height + 40)
            try:
                self.look("the picture's last band at the pane's bottom", lambda s: bottom(s) == last, timeout=3)
                break
            except Failure:
                continue
        shot = self.look("the picture's last band at the pane's bottom, its first band gone",
                         lambda s: bottom(s) == last and self.band_at(s, left + 20, top + 1) != 0)
        overflow = fixture.TALL_SIZE[1] - height
        self.expect(self.band_at(shot, left + 20, top + 1) == overflow // fixture.TALL_BAND_HEIGHT,
                    f"the pane's top shows band {self.band_at(shot, left + 20, top + 1)}, expected the band at "
                    f"{overflow} pixels down")
        self.keep("tall-picture-scrolled")

    def same(self, a, b):
        """The share of equal pixels of two pictures of one size."""
        equal = sum(1 for i in range(0, len(a.data), 3) if a.data[i:i + 3] == b.data[i:i + 3])
        return equal / (a.width * a.height)

    def rendered(self, name):
        """The picture as orvane-render draws it through the program's own picture loader."""
        out = os.path.join(self.out, name + ".png")
        run(self.render_path, os.path.join(self.world.samples, name), out)
        return load_picture(out)

    def matches_picture(self, shot, picture, x, y, window=None, margin=4, limit=None):
        """The share of the picture's inner pixels (a margin left out) that the screen shows at
        x, y of the window's client area."""
        left, top = self.at(x, y, window)
        checked = equal = 0
        width, height = picture.width, picture.height
        if limit:
            width, height = min(width, limit[0]), min(height, limit[1])
        for py in range(margin, height - margin, 3):
            for px in range(margin, width - margin, 3):
                if left + px >= shot.width or top + py >= shot.height:
                    continue
                checked += 1
                if near(picture.pixel(px, py), shot.pixel(left + px, top + py), 12):
                    equal += 1
        return equal / checked if checked else 0

    def media_state(self, shot, window=None):
        """Playing or Waiting from the media panel's status colour, with the red caption of the
        button that can be pressed (play while waiting, stop while playing); the panel of the
        pane, or of the detached viewer when it is given."""
        left, top = (0, 0) if window else self.pane_point(1, 0)
        status = (left + 50, top + 4, 88, 24)
        playing = self.count(shot, *status, FUCHSIA, 60, window=window) > 15
        waiting = self.count(shot, *status, GREEN, 40, window=window) > 15
        play_red = self.count(shot, left + 3, top + 3, 25, 24, RED, 60, window=window) > 3
        stop_red = self.count(shot, left + 27, top + 3, 25, 24, RED, 60, window=window) > 3
        if playing and not waiting and stop_red and not play_red:
            return "playing"
        if waiting and not playing and play_red and not stop_red:
            return "waiting"
        return None

    def play_sound(self):
        """A sound of 2.5 seconds plays at once and the panel says so; at its end the panel waits
        again without the user."""
        self.select("to", "tone.wav")
        self.look("the sound playing", lambda s: self.media_state(s) == "playing", timeout=15)
        self.keep("sound-playing")
        started = time.monotonic()
        self.look("the sound at its end", lambda s: self.media_state(s) == "waiting", timeout=20)
        self.keep("sound-ended")
        self.expect(time.monotonic() - started > 1.0, "the sound ended long before its length")

    def show_video(self):
        """The video's test picture (colour bars, 160 x 120) is drawn into the pane, scaled to its
        height with its proportions kept, in the middle."""
        self.select("c", "clip.avi")
        bars = ((235, 235, 12), (12, 235, 235), (235, 12, 235))
        shot = self.look("the video's colour bars in the pane",
                         lambda s: all(self.pane_count(s, bar, 40) > 800 for bar in bars), timeout=20)
        self.keep("video")
        left, top, width, height = self.pane()
        row = top + height // 3
        lit = [x for x in range(left + 3, left + width - 3) if sum(self.pixel(shot, x, row)) > 90]
        expected_width = 160 * height // 120
        expected_left = left + (width - expected_width) // 2
        self.expect(lit and abs(lit[0] - expected_left) <= 4 and abs(lit[-1] + 1 - lit[0] - expected_width) <= 4,
                    f"the video spans x {lit[0] if lit else None}..{lit[-1] if lit else None}, expected "
                    f"{expected_left} and {expected_width} wide")

    # --- Arrangements --------------------------------------------------------------------------------

    def switch_arrangements(self):
        """The user moves the viewer to the right of the list, into its own window that stays on
        top and has no close box, and back below the list; the picture follows each time."""
        self.step_name = "arrangements"
        self.show_picture()
        self.open_menu("view")
        self.click_item("view", "right")
        self.layout["pane"] = self.right_pane()
        self.look("the picture right of the list", lambda s: self.picture_at(s, *self.pane_point(0, 0)))
        self.keep("right")
        self.open_menu("view")
        self.click_item("view", "separate")
        self.view = wait_until("the detached viewer", lambda: find_windows(r"^Orvane - picture\.bmp$"))[0]
        geometry = wait_until("the detached viewer on the screen", self.view.geometry)
        left, right, top, bottom = self.view.frame_extents()
        vtop, vleft, vwidth, vheight = VIEW_BOUNDS
        self.expect(geometry[2:] == (vwidth - 8, vheight - 23),
                    f"detached viewer client {geometry[2:]}, expected {(vwidth - 8, vheight - 23)}")
        self.expect((geometry[0] - left, geometry[1] - top) == (vleft, vtop),
                    f"detached viewer at {(geometry[0] - left, geometry[1] - top)}, expected {(vleft, vtop)}")
        self.expect("_NET_WM_STATE_ABOVE" in self.view.property("_NET_WM_STATE"), "the viewer is not kept on top")
        self.expect("_NET_WM_ACTION_CLOSE" not in self.view.property("_NET_WM_ALLOWED_ACTIONS"),
                    "the window manager offers to close the viewer")
        self.look("the picture in the detached viewer", lambda s: self.picture_at(s, 0, 0, self.view))
        self.keep("separate")
        # The viewer shows the other kinds too: a sound with its own media panel, and text. The
        # list is clicked left of the viewer, which covers its right part.
        self.layout["list_click"] = (300, H - 20)
        self.select("to", "tone.wav")
        self.look("the sound playing in the viewer's panel", lambda s: self.media_state(s, self.view) == "playing")
        self.keep("separate-sound")
        self.look("the sound at its end in the viewer's panel", lambda s: self.media_state(s, self.view) == "waiting")
        self.select("sj", "sjis.txt")
        self.look("the text in the viewer",
                  lambda s: s.count(*self.at(4, 4, self.view), 200, 30, lambda c: sum(c) < 200) > 150
                  and self.media_state(s, self.view) is None)
        self.keep("separate-text")
        self.select("pi", "picture.bmp")
        self.look("the picture in the detached viewer again", lambda s: self.picture_at(s, 0, 0, self.view))
        del self.layout["list_click"]
        # A click on the main window (on the empty part of the folder tree) raises it, but the
        # viewer stays above it where they overlap.
        self.click(60, 200)
        wait_until("the main window active", lambda: (active_window() or Window(0)).id == self.main.id)
        order = stacking_order()
        self.expect(order.index(self.view.id) > order.index(self.main.id), "the main window went over the viewer")
        self.look("the picture still on top", lambda s: self.picture_at(s, 0, 0, self.view))
        self.keep("viewer-on-top")
        # The viewer moves by its title bar; the picture goes with it.
        vleft, vtop, _, _ = self.view.geometry()
        _, _, vframe_top, _ = self.view.frame_extents()
        drag(vleft + 100, vtop - vframe_top // 2, vleft + 100 - 40, vtop - vframe_top // 2 - 30)
        wait_until("the viewer moved", lambda: (self.view.geometry() or (0, 0))[:2] == (vleft - 40, vtop - 30))
        self.look("the picture in the moved viewer", lambda s: self.picture_at(s, 0, 0, self.view))
        self.keep("viewer-moved")
        self.viewer_moved = True
        self.open_menu("view")
        self.click_item("view", "under")
        wait_until("the detached viewer hidden", lambda: not self.view.viewable())
        self.layout["pane"] = self.under_pane()
        self.look("the picture below the list again", lambda s: self.picture_at(s, *self.pane_point(0, 0)))
        self.keep("under")

    def under_pane(self):
        """The pane below the list as the under arrangement cuts it: the list panel a third of the
        window's outer height."""
        down_door = FH // 3 + self.band + 3
        return 1, down_door + 3, W - 1, H - FH // 3 - self.band - 6

    def right_pane(self, right_door=None):
        right_door = right_door or FW - FW // 3
        return right_door + 3, self.band + 3, W - right_door - 3, H - self.band - 3

    # --- Doors and grips -----------------------------------------------------------------------------

    def door_x(self, shot, y, x0, x1):
        """Where a 3-pixel door runs down through row y: its raised white, face, shadow columns."""
        for x in range(x0, x1):
            if (self.pixel(shot, x, y), self.pixel(shot, x + 1, y), self.pixel(shot, x + 2, y)) == (WHITE, FACE, SHADOW):
                return x
        return None

    def door_y(self, shot, x, y0, y1):
        for y in range(y0, y1):
            if (self.pixel(shot, x, y), self.pixel(shot, x, y + 1), self.pixel(shot, x, y + 2)) == (WHITE, FACE, SHADOW):
                return y
        return None

    def drag_door_x(self, name, row, start, target, expected, x_range):
        # Each move adds the pointer's offset within the door to its place, so the door's left
        # edge ends where the pointer is let go.
        self.drag(start + 1, row, target, row)
        self.look(f"{name} at x {expected}", lambda s: self.door_x(s, row, *x_range) == expected)

    def drag_door_y(self, name, column, start, target, expected, y_range):
        self.drag(column, start + 1, column, target)
        self.look(f"{name} at y {expected}", lambda s: self.door_y(s, column, *y_range) == expected)

    def drag_doors_and_grips(self):
        """The user drags every door and grip: the door between tree and list, the lower door, the
        right door, the door under the top band (which snaps the band to no, one or two lines) and
        the two grips of the one-line band; each stops at its limits."""
        self.step_name = "doors"
        row = 150
        self.look("the centre door", lambda s: self.door_x(s, row, 100, 300) == 125)
        self.drag_door_x("the centre door", row, 125, 205, 205, (100, 400))
        self.keep("centre-door")
        self.drag_door_x("the centre door at its left stop", row, 205, 3, 1 + 10, (2, 400))
        self.keep("centre-door-stop")
        self.drag_door_x("the centre door back", row, 11, 125, 125, (2, 400))

        column = 400
        down = FH // 3 + self.band + 3
        self.look("the lower door", lambda s: self.door_y(s, column, 150, 300) == down)
        self.drag_door_y("the lower door", column, down, down - 60, down - 60, (100, 400))
        self.layout["pane"] = (1, down - 57, W - 1, H - (down - 60) - 3)
        self.look("the picture at the pane's new corner", lambda s: self.picture_at(s, *self.pane_point(0, 0)))
        self.keep("lower-door")
        self.drag_door_y("the lower door at its bottom stop", column, down - 60, H - 2, H - 25, (100, H))
        self.keep("lower-door-stop")
        self.drag_door_y("the lower door back", column, H - 25, down, down, (100, H))
        self.layout["pane"] = (1, down + 3, W - 1, H - down - 3)

        self.drag_door_y("the top band at one line", column, 50, 27, 25, (10, 100))
        self.band = 25
        grips = self.look("the two grips of the one-line band",
                          lambda s: self.grip_x(s, 600, W - 50) == [W - 80 - 30 + 4, W - 80 + 4])
        self.keep("one-line-band")
        info, drive = self.grip_x(grips, 600, W - 50)
        self.drag(info + 1, 12, info - 100, 12)
        self.look("the info grip moved", lambda s: self.grip_x(s, 500, W - 50) == [info - 100, drive])
        self.drag(drive + 1, 12, drive - 50, 12)
        self.look("the drive grip moved", lambda s: self.grip_x(s, 500, W - 50) == [info - 100, drive - 50])
        self.keep("grips")
        self.drag(drive - 50 + 1, 12, 20, 12)
        # The drive box then reaches under the title mark: its own arrow button's raised edge
        # follows the two grips.
        self.look("the drive grip at its stop",
                  lambda s: self.grip_x(s, 500, W - 50)[:2] == [info - 100, info - 100 + 30])
        self.keep("grips-stop")
        self.drag_door_y("the top band hidden", column, 25, 5, 0, (0, 100))
        self.band = 0
        self.keep("no-band")
        self.drag_door_y("the top band at two lines", column, 0, 60, 50, (0, 100))
        self.band = 50
        self.look("the grips hidden again", lambda s: self.grip_x(s, 500, W - 50) == [])
        self.keep("two-line-band")

        self.open_menu("view")
        self.click_item("view", "right")
        right = FW - FW // 3
        self.look("the right door", lambda s: self.door_x(s, row, 300, W) == right)
        self.drag_door_x("the right door", row, right, right - 80, right - 80, (300, W))
        self.layout["pane"] = self.right_pane(right - 80)
        self.look("the picture at the right pane's new corner", lambda s: self.picture_at(s, *self.pane_point(0, 0)))
        self.keep("right-door")
        self.drag_door_x("the right door shut", row, right - 80, W - 5, W - 3, (300, W))
        self.keep("right-door-shut")
        self.drag_door_x("the right door back", row, W - 3, right, right, (300, W))
        self.open_menu("view")
        self.click_item("view", "under")
        self.layout["pane"] = self.under_pane()
        self.look("the picture below the list", lambda s: self.picture_at(s, *self.pane_point(0, 0)))

    def grip_x(self, shot, x0, x1):
        """The grips of the one-line band: raised panels 21 pixels high from y 2."""
        found = []
        for x in range(x0, x1):
            if all(self.pixel(shot, x, y) == WHITE for y in (4, 12, 20)) and \
                    all(self.pixel(shot, x + 1, y) in (FACE, SHADOW) for y in (4, 12, 20)):
                found.append(x)
        return found

    # --- Settings ------------------------------------------------------------------------------------

    def dialog_shows_start_sheet(self, shot, dialog):
        """The start sheet's first two combo boxes (white) where the capture sheet has the
        up-downs of its first two edits."""
        return all(self.count(shot, 220, y, 12, 12, WHITE, 4, window=dialog) > 12 * 12 * 0.9 for y in (44, 72))

    def change_settings(self):
        """In the sorting folder the user opens the settings dialog from the file menu, shortens
        the capture wait with its up-down, and on the start sheet picks sorting by size, descending,
        the viewer to the right and no info bar. OK writes the settings file and applies it at
        once: the size button turns red, the list runs from the largest file, the right door
        appears and the top band shrinks to the menu line with its grips."""
        self.step_name = "settings"
        self.open_folder(0, "Orvane - C:\\")
        self.open_folder(3, "Orvane - C:\\sorting")
        self.open_menu("file")
        self.hover_item("file", "option")
        self.keep("file-menu-option")
        self.click_item("file", "option")
        dialog = wait_until("the settings dialog", lambda: find_windows("^Orvane\u3000環境設定$"))[0]
        geometry = wait_until("the settings dialog on the screen", dialog.geometry)
        self.expect(geometry[2:] == (320, 285), f"settings dialog client {geometry[2:]}, expected (320, 285)")
        self.expect("_NET_WM_STATE_ABOVE" in dialog.property("_NET_WM_STATE"), "the settings dialog is not kept on top")
        screen_w, screen_h = 1024, 768
        self.expect(abs(geometry[0] + 160 - screen_w // 2) <= 40 and abs(geometry[1] + 142 - screen_h // 2) <= 40,
                    f"the settings dialog is not centred on the screen: {geometry}")
        # The capture sheet: the wait edit reads 3; a click on the up-down's lower arrow makes it 2.
        self.look("the capture sheet", lambda s: not self.dialog_shows_start_sheet(s, dialog))
        self.keep("capture-sheet")
        self.click(224, 55, window=dialog)
        # The start sheet, by its tab.
        self.click(259, 18, window=dialog)
        self.look("the start sheet", lambda s: self.dialog_shows_start_sheet(s, dialog))
        # Combo boxes take the next item from the Down key.
        for (y, downs) in ((79, 3), (107, 1), (163, 1)):
            self.click(160, y, window=dialog)
            keys(*["Down"] * downs)
        self.click(219, 136, window=dialog)
        self.look("the info bar unchecked (no tick in its box)",
                  lambda s: self.count(s, 216, 132, 7, 7, BLACK, 60, window=dialog) < 3)
        self.keep("start-sheet")
        self.click(197, 266, window=dialog)
        wait_until("the settings dialog closed", lambda: not dialog.viewable())
        with open(os.path.join(self.world.work, "TavoCust.cnf"), "rb") as file:
            written = file.read().split(b"\r\n")
        expected = {1: b"2", 7: b"1", 8: b"1", 9: b"2", 10: b"3", 11: b"1", 12: b"0"}
        got = {line: written[line - 1] if len(written) >= line else None for line in expected}
        self.expect(got == expected, f"TavoCust.cnf lines {got}, expected {expected}")
        self.band = 25
        self.layout["pane"] = self.right_pane()
        self.layout["list_right"] = FW - FW // 3
        right = FW - FW // 3
        self.look("the size button red, the right door and the one-line band with its grips",
                  lambda s: self.red_button(s, "size") and not self.red_button(s, "name")
                  and self.door_x(s, 150, 300, W) == right and len(self.grip_x(s, 500, W - 50)) >= 2)
        self.keep("applied")
        self.check_order(*reversed(SORT_ENDS["size"]))
        # Esc closes the dialog without any change: neither the file nor the window.
        with open(os.path.join(self.world.work, "TavoCust.cnf"), "rb") as file:
            before = file.read()
        self.open_menu("file")
        self.click_item("file", "option")
        dialog = wait_until("the settings dialog again", lambda: find_windows("^Orvane\u3000環境設定$"))[0]
        wait_until("the settings dialog on the screen", dialog.geometry)
        self.click(259, 18, window=dialog)
        self.look("the start sheet", lambda s: self.dialog_shows_start_sheet(s, dialog))
        self.click(160, 79, window=dialog)
        x, y = self.at(124, 71, dialog)
        shown = grab().region(x, y, 110, 16).data
        keys("Up")
        self.look("the sort key box showing another key", lambda s: s.region(x, y, 110, 16).data != shown)
        self.keep("cancelled-choice")
        keys("Escape")
        wait_until("the settings dialog closed by Esc", lambda: not dialog.viewable())
        with open(os.path.join(self.world.work, "TavoCust.cnf"), "rb") as file:
            self.expect(file.read() == before, "Esc in the settings dialog changed the settings file")
        self.look("the size button still red", lambda s: self.red_button(s, "size") and not self.red_button(s, "date"))
        self.check_order(*reversed(SORT_ENDS["size"]))

    # --- The keyboard ----------------------------------------------------------------------------------

    def message_boxes(self, title):
        return find_windows("^" + re.escape(title) + "$")

    def wait_box(self, title):
        """The one message box of the title, once it is on the screen."""
        boxes = wait_until(f'the message box "{title}"', lambda: self.message_boxes(title))
        self.expect(len(boxes) == 1, f'{len(boxes)} message boxes "{title}" at once')
        wait_until(f'the message box "{title}" on the screen', boxes[0].geometry)
        return boxes[0]

    def started_programs(self):
        """What the sheet's program (the test window) was started for, from its log."""
        if not os.path.exists(self.world.window_log):
            return []
        with open(self.world.window_log) as log:
            return log.read().split()

    def stays_quiet(self, what, seconds=2.0, titles=("Orvane", "Error")):
        """For a while no message box of the titles comes (back) and no program is started."""
        started = self.started_programs()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            for title in titles:
                self.expect(not self.message_boxes(title), f'after {what} the message box "{title}" came')
            self.expect(not find_windows(r"^Test window - ") and self.started_programs() == started,
                        f"after {what} the sheet's program was started")
            time.sleep(0.1)

    def dialog_sheet(self, shot, dialog):
        """Which sheet of the settings dialog shows, told by white that only it has there: the
        capture sheet's grid of types, the view sheet's grid of text types, the cache sheet's
        size edit, the start sheet's first two boxes."""
        white = lambda x, y, w, h: self.count(shot, x, y, w, h, WHITE, 4, window=dialog) > w * h * 0.9
        sheets = {"capture": white(235, 205, 45, 10), "view": white(85, 125, 30, 20),
                  "cache": white(45, 122, 20, 12), "start": white(220, 44, 12, 12) and white(220, 72, 12, 12)}
        shown = [name for name, seen in sheets.items() if seen]
        return shown[0] if len(shown) == 1 else None

    def keyboard(self):
        """The user works the list, its message boxes and the dialogs with the keyboard. A box
        that a key released on the list opened comes once, and a key that closes a box or a
        dialog starts nothing in the list when it is let go: an arrow key onto a picture that
        cannot be read gives one box; Enter on the box of a cursor that cannot be read (of the
        sheet's type) starts no program; Enter on a file no program opens gives a box, and Enter
        closes it for good; Enter on the About box's button closes it and starts no program. In
        the settings dialog Ctrl+Tab turns the pages from the tabs, which have the focus when it
        opens; Tab takes the focus out of a grid to OK, Shift+Tab back, and Enter on OK saves the
        settings; in the folder chooser the folder list has the focus when it opens, and Enter on
        the button that Tab reached presses it."""
        self.step_name = "keyboard"
        self.open_folder(0, "Orvane - C:\\")
        self.open_folder(2, "Orvane - C:\\samples")
        self.open_folder(2, "Orvane - C:\\samples\\sub")
        self.click(*self.empty_list_place())
        keys("Home")
        self.wait_caption("Orvane - C:\\samples\\sub\\a.txt")
        started = self.started_programs()

        keys("Down")
        self.wait_caption("Orvane - C:\\samples\\sub\\broken.bmp")
        box = self.wait_box("Orvane")
        self.keep("picture-error", grab())
        keys("space")
        wait_until("the picture's box closed", lambda: not box.viewable())
        self.stays_quiet("the picture's box closed")

        # The cursor's program is the sheet's, which Enter on the list would start.
        keys("Down")
        self.wait_caption("Orvane - C:\\samples\\sub\\gone.cur")
        box = self.wait_box("Orvane")
        self.keep("cursor-error", grab())
        keys("Return")
        wait_until("the cursor's box closed by Enter", lambda: not box.viewable())
        self.stays_quiet("Enter closed the cursor's box")

        keys("Down")
        self.wait_caption("Orvane - C:\\samples\\sub\\plain.zzz")
        keys("Return")
        box = self.wait_box("Error")
        self.keep("cannot-start", grab())
        keys("Return")
        wait_until("the box closed by Enter", lambda: not box.viewable())
        self.stays_quiet("Enter closed the box")

        keys("Down")
        self.wait_caption("Orvane - C:\\samples\\sub\\table.xls")
        self.open_menu("help")
        self.click_item("help", "version")
        about = wait_until("the version dialog", lambda: find_windows("^Orvane ﾊﾞｰｼﾞｮﾝ情報$"))[0]
        wait_until("the version dialog on the screen", about.geometry)
        self.keep("version-dialog", grab())
        keys("Return")
        wait_until("the version dialog closed by Enter", lambda: not about.viewable())
        self.stays_quiet("Enter closed the version dialog")
        self.expect(self.started_programs() == started, "a program was started in the keyboard step")

        self.keyboard_in_the_settings()

    def open_settings(self):
        self.open_menu("file")
        self.click_item("file", "option")
        dialog = wait_until("the settings dialog", lambda: find_windows("^Orvane\u3000環境設定$"))[0]
        wait_until("the settings dialog on the screen", dialog.geometry)
        self.look("the capture sheet", lambda s: self.dialog_sheet(s, dialog) == "capture")
        return dialog

    def turn_sheet(self, dialog, key, sheet):
        keys(key)
        self.look(f"the {sheet} sheet after {key}", lambda s: self.dialog_sheet(s, dialog) == sheet)

    def keyboard_in_the_settings(self):
        settings_file = os.path.join(self.world.work, "TavoCust.cnf")
        with open(settings_file, "rb") as file:
            before = file.read()
        dialog = self.open_settings()
        self.turn_sheet(dialog, "ctrl+Tab", "view")
        self.keep("ctrl-tab")
        self.turn_sheet(dialog, "ctrl+Tab", "cache")
        self.turn_sheet(dialog, "ctrl+shift+Tab", "view")
        self.turn_sheet(dialog, "ctrl+shift+Tab", "capture")
        self.turn_sheet(dialog, "ctrl+shift+Tab", "start")
        self.turn_sheet(dialog, "ctrl+Tab", "capture")

        # The folder chooser from the cache sheet: Tab from the folder list passes the drive box
        # to OK, and Enter presses it: the folder edit takes the chosen folder. Esc then leaves
        # the settings as they were.
        self.turn_sheet(dialog, "ctrl+Tab", "view")
        self.turn_sheet(dialog, "ctrl+Tab", "cache")
        x, y = self.at(22, 64, dialog)
        folder_edit = grab().region(x, y, 200, 17).data
        self.click(262, 72, window=dialog)
        chooser = wait_until("the folder chooser", lambda: find_windows("^ﾌｫﾙﾀﾞ参照\u3000Orvane$"))[0]
        wait_until("the folder chooser on the screen", chooser.geometry)
        self.keep("folder-chooser", grab())
        keys("Tab", "Tab", "Return")
        wait_until("the folder chooser closed by Enter on OK", lambda: not chooser.viewable())
        self.expect(dialog.viewable(), "Enter in the folder chooser closed the settings dialog")
        self.look("the chosen folder in the folder edit", lambda s: s.region(x, y, 200, 17).data != folder_edit)
        self.keep("folder-chosen")
        keys("Escape")
        wait_until("the settings dialog closed by Esc", lambda: not dialog.viewable())
        self.stays_quiet("the settings dialog closed")
        with open(settings_file, "rb") as file:
            self.expect(file.read() == before, "Esc in the settings dialog changed the settings file")

        # In the capture types' grid: a type typed into the first free row, Tab to OK, Shift+Tab
        # back into the grid, a second type in the row below, Tab to OK and Enter.
        dialog = self.open_settings()
        self.click(257, 210, window=dialog)
        type_text("qqq")
        keys("Tab")
        self.look("the grid left: the typed type's row marked as the user's",
                  lambda s: self.count(s, 172, 203, 54, 14, BLACK, 60, window=dialog) > 10)
        self.keep("tab-out-of-grid")
        keys("shift+Tab", "Down")
        type_text("rrr")
        keys("Tab")
        time.sleep(0.3)
        self.keep("tab-to-ok", grab())
        keys("Return")
        wait_until("the settings dialog closed by Enter on OK", lambda: not dialog.viewable())
        with open(settings_file, "rb") as file:
            written = file.read().split(b"\r\n")
        self.expect(b"QQQ" in written and b"RRR" in written, f"TavoCust.cnf holds {written}, without QQQ and RRR")
        self.stays_quiet("Enter on OK closed the settings dialog")

    # --- Capture -------------------------------------------------------------------------------------

    def mark_count(self, shot, colour):
        return self.count(shot, W - 50, 0, 50, self.band - 2, colour, 8)

    def capture_application(self):
        """In the samples folder the user starts the spreadsheet with Enter: its program (the test
        window) comes up with the document's path, the title mark turns blue while the capture
        waits, the window's picture is stored in the cache under the document's flattened path,
        the mark turns black again, and selecting the document shows the captured picture as
        its preview."""
        self.step_name = "capture"
        self.open_folder(0, "Orvane - C:\\")
        self.open_folder(2, "Orvane - C:\\samples")
        self.select("sh", "sheet.xls")
        self.look("the pane's notice and no preview",
                  lambda s: self.dark_in_pane(s, 40) > 50 and self.pane_count(s, (255, 128, 0), 8) == 0)
        self.keep("before")
        keys("Return")
        shot = self.look("the title mark blue while the capture waits",
                         lambda s: self.mark_count(s, BLUE) > 40 * (self.band - 4), timeout=15)
        self.keep("mark-blue")
        started = wait_until("the test window", lambda: find_windows(r"^Test window - "))[0]
        self.expect(started.name().endswith("sheet.xls"), f"the program was started for {started.name()}")
        log = open(self.world.window_log).read().split()
        self.expect(log and log[-1] == os.path.join(self.world.samples, "sheet.xls"),
                    f"the program was given {log}, expected the document's host path")
        picture_path = os.path.join(self.world.cache, "C#!samples!sheet.xls.bmp")
        wait_until("the captured picture in the cache", lambda: os.path.exists(picture_path), timeout=15)
        self.look("the title mark black again", lambda s: self.mark_count(s, BLUE) == 0
                  and self.mark_count(s, BLACK) > 20 * (self.band - 4))
        self.keep("mark-black")
        picture = wait_until("the captured picture complete", lambda: self.load_capture(picture_path))
        orange = picture.count(0, 0, picture.width, picture.height, lambda c: near(c, (255, 128, 0), 8))
        teal = picture.count(0, 0, picture.width, picture.height, lambda c: near(c, (0, 128, 128), 8))
        self.expect(240 <= picture.width <= 1024 and 120 <= picture.height <= 768,
                    f"captured picture of {picture.width} x {picture.height}")
        self.expect(orange >= 120 * 120 - 400 - 200 and teal >= 120 * 120 - 200,
                    f"the captured picture holds {orange} orange and {teal} teal pixels, not the test window")
        shutil.copy(picture_path, os.path.join(self.shots, f"{self.step_number + 1:02d}-capture-picture.bmp"))
        try:
            os.kill(int(re.search(r"= (\d+)", started.property("_NET_WM_PID")).group(1)), signal.SIGTERM)
        except (AttributeError, ProcessLookupError):
            pass
        wait_until("the test window gone", lambda: not started.viewable())
        # Selecting another file and the document again shows the stored picture in the pane.
        self.select("pi", "picture.bmp")
        self.look("the picture", lambda s: self.picture_at(s, *self.pane_point(0, 0)))
        self.select("sh", "sheet.xls")
        left, top, width, height = self.pane()
        self.look("the captured picture as the preview",
                  lambda s: self.matches_picture(s, picture, *self.pane_point(0, 0),
                                                 limit=(width - 12, height - 12)) > 0.97)
        self.keep("preview")

    # --- Closing ---------------------------------------------------------------------------------------

    def close_program(self):
        """The user makes the main window larger by its frame's corner (the list and the right
        pane follow, the right door keeping its distance from the right edge), moves it by its
        title bar and closes it with the frame's close button: the program ends and its second
        settings file keeps the window's new place (the outer frame's top and left) and size, and
        the viewer's."""
        self.step_name = "close"
        left, top, width, height = self.main.geometry()
        fleft, fright, ftop, fbottom = self.main.frame_extents()
        # The viewer's door keeps its distance from the right or the bottom edge.
        if "list_right" in self.layout:
            door = lambda s: self.door_x(s, 150, 300, W + 60)
            grown = 60
        else:
            door = lambda s: self.door_y(s, 400, 100, H + 40)
            grown = 40
        before = self.look("the viewer's door", door)
        before = door(before)
        corner = (left + width + fright // 2, top + height + fbottom // 2)
        drag(*corner, corner[0] + 60, corner[1] + 40)
        wait_until("the main window larger", lambda: (self.main.geometry() or (0, 0, 0, 0))[2:] == (W + 60, H + 40))
        self.look(f"the viewer's door {grown} pixels further", lambda s: door(s) == before + grown)
        self.keep("resized")
        width, height = W + 60, H + 40
        title = (left + 200, top - ftop // 2)
        drag(*title, title[0] + 40, title[1] + 30)
        wait_until("the main window moved", lambda: (self.main.geometry() or (0, 0))[:2] == (left + 40, top + 30))
        moved = (left + 40, top + 30)
        self.keep("moved", grab())
        close_box = (moved[0] + width + fright - 16, moved[1] - ftop // 2)
        click_at(*close_box)
        wait_until("the program ended", lambda: self.process.poll() is not None)
        self.expect(self.process.returncode == 0, f"the program ended with {self.process.returncode}")
        with open(os.path.join(self.world.work, "TavoCust2.cnf"), "rb") as file:
            lines = file.read().split(b"\r\n")
        mtop, mleft, mwidth, mheight = MAIN_BOUNDS
        vtop, vleft, vwidth, vheight = VIEW_BOUNDS
        if self.viewer_moved:
            vtop, vleft = vtop - 30, vleft - 40
        expected = [str(v).encode() for v in (mtop + 30, mleft + 40, mwidth + 60, mheight + 40,
                                              vtop, vleft, vwidth, vheight)]
        self.expect(lines[:8] == expected, f"TavoCust2.cnf holds {lines[:8]}, expected {expected}")

    def load_capture(self, path):
        try:
            return load_picture(path)
        except Failure:
            return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orvane", required=True)
    parser.add_argument("--test-window", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--render", required=True)
    parser.add_argument("--steps", help="comma-separated step names to run after the start (for a quick look)")
    args = parser.parse_args()
    os.makedirs(os.path.join(args.out, "shots"), exist_ok=True)
    for old in os.listdir(os.path.join(args.out, "shots")):
        os.remove(os.path.join(args.out, "shots", old))
    suite = Suite(args)
    steps = [suite.start_program, suite.pick_drive_and_folder, suite.sort_by_each_key,
             suite.menus_by_hover_and_click, suite.switch_list_styles, suite.show_each_kind,
             suite.show_types_of_today, suite.japanese_text_and_a_new_file, suite.switch_arrangements,
             suite.drag_doors_and_grips, suite.keyboard,
             suite.change_settings, suite.capture_application, suite.close_program]
    if args.steps:
        wanted = args.steps.split(",")
        steps = [steps[0]] + [step for step in steps[1:] if step.__name__ in wanted]
    started = time.monotonic()
    try:
        for step in steps:
            begun = time.monotonic()
            step()
            print(f"ok   {step.__name__} ({time.monotonic() - begun:.1f} s)", flush=True)
    except Exception as error:
        print(f"FAIL {suite.step_name}: {error}", flush=True)
        if not isinstance(error, Failure):
            traceback.print_exc()
        try:
            grab().save(os.path.join(suite.shots, f"failed-{suite.step_name}.png"))
        except Exception:
            pass
        return 1
    finally:
        if suite.process and suite.process.poll() is None:
            suite.process.kill()
            suite.process.wait()
    print(f"{len(steps)} passed, 0 failed ({time.monotonic() - started:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
