"""What every step of the desktop suite shares: the session with the running orvane (its
windows, where its named controls are, screenshots and the step's artefacts) and what the main
window shows that several steps look at (the folder tree and the list, the panel menus, the
sort buttons, the viewer panes, the doors).

The steps find the main window's controls by their names (controls.py) and compute places
inside them only where a step is about a place: a colour at a point of a pane, a door dragged
by some pixels.
"""

import os
import time

import desktop
import fixture
from controls import ControlMap
from desktop import Failure, click_at, drag, grab, keys, near, pointer_to, type_text, wait_until
from fixture import MAIN_BOUNDS

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

# The panel menus by the names of their controls: the caption of each menu on the top band, its
# drop-down and the drop-down's items.
CAPTIONS = {"file": "PanelFile", "view": "PanelView", "tool": "PanelTool", "help": "PanelHelp"}
DROP_DOWNS = {"file": "MenuFile", "view": "FView", "tool": "FTool", "help": "FHelp"}
ITEMS = {
    "file": {"option": "Option", "close": "FClose"},
    "view": {"separate": "FBunri", "under": "FUnder", "right": "FRight"},
    "tool": {"style": "FTol", "order": "Fseiretu", "direction": "Fsort"},
    "help": {"help": "Help", "version": "FHp"},
}
# The second-level drop-downs that the tool menu's items open, and their items.
SECOND_LEVEL = {
    "style": ("ViewFile", {"report": "ListView", "list": "SIconView", "icon": "LIconView"}),
    "order": ("ViewSeiretu", {"name": "SortFilename", "type": "SortShurui", "date": "SortDay", "size": "SortSize"}),
    "direction": ("SortMethod", {"ascending": "Asort", "descending": "Zsort"}),
}
# The sort buttons on the top band.
SORT_BUTTONS = {"name": "Sfname", "type": "Sfshurui", "date": "Sfday", "size": "Sfsize", "toggle": "Sfupdn"}

# What each key makes first and last among the files of the sorting folder, ascending.
SORT_ENDS = {"name": ("a.log", "d.dat"), "type": ("c.csv", "b.txt"), "size": ("b.txt", "a.log"),
             "date": ("d.dat", "b.txt")}


class Session:
    def __init__(self, args):
        self.orvane_path = args.orvane
        self.out = args.out
        self.shots = os.path.join(args.out, "shots")
        self.world = fixture.World(os.path.join(args.out, "world"), args.source, args.test_window)
        self.controls = ControlMap(os.path.join(args.out, "controls"))
        self.process = None
        self.main = None
        self.view = None
        self.step_number = 0
        self.step_name = "start"
        self.last_shot = None
        self.render_path = args.render
        self.band = 50
        self.layout = {}
        self.origins = {}
        self.named = None
        self.viewer_moved = False

    # --- Windows, controls, pointer and screenshots --------------------------------------------------

    def forget_places(self):
        """Windows and controls may move after the user's next action or while the program works."""
        self.origins.clear()
        self.named = None

    def control(self, name, form="ImageForm"):
        """A named control of a form: window (X id), x, y (in the client area), w, h, shown."""
        if self.named is None:
            self.named = self.controls.read()
        found = self.named.get(f"{form}.{name}")
        if found is None:
            raise Failure(f"the program has no control {form}.{name}")
        return found

    def rect(self, name, form="ImageForm"):
        """A named control's rectangle in its window's client area: left, top, width, height."""
        found = self.control(name, form)
        return found.x, found.y, found.w, found.h

    def centre(self, name, form="ImageForm"):
        left, top, width, height = self.rect(name, form)
        return left + width // 2, top + height // 2

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
        self.forget_places()
        click_at(*self.at(x, y, window), button=button, repeat=repeat)

    def hover(self, x, y, window=None):
        self.forget_places()
        pointer_to(*self.at(x, y, window))

    def drag(self, x0, y0, x1, y1, window=None):
        self.forget_places()
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
            self.forget_places()
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

    # --- Folder tree and file list ---------------------------------------------------------------------

    def tree_line(self, index):
        """Client position of a line of the folder tree."""
        left, top, _, _ = self.rect("DirectoryListBox1")
        return left + 38, top + 10 + 16 * index

    def tree_lines(self, shot):
        """How many lines of the folder tree carry a (yellow) folder icon, from the top."""
        left, top, _, _ = self.rect("DirectoryListBox1")
        lines = 0
        while lines < 14 and self.count(shot, left + 4, top + 2 + 16 * lines, 20, 16, (255, 255, 0), 40) > 8:
            lines += 1
        return lines

    def list_rows(self, shot):
        """How many rows of the list style's first column carry an icon, from the top."""
        left, top, _, _ = self.rect("ListView1")
        rows = 0
        while rows < 9 and self.count(shot, left + 5, top + 2 + 18 * rows, 16, 18, WHITE, 0) < 16 * 18 - 8:
            rows += 1
        return rows

    def open_folder(self, line, caption, tree=None, rows=None):
        """Double-clicks a line of the folder tree; the caption names the folder, and where given
        the tree shows that many lines and the list that many rows."""
        self.click(*self.tree_line(line), repeat=2)
        self.wait_caption(caption)
        if tree is not None:
            self.look(f"{tree} lines in the tree and {rows} rows in the list",
                      lambda s: self.tree_lines(s) == tree and self.list_rows(s) == rows)

    def list_area(self):
        """The file list's rectangle below the header, in the list style: left, top, width, height."""
        left, top, width, _ = self.rect("ListView1")
        return left + 3, top + 2, width - 7, 180

    def empty_list_place(self):
        """A place in the list below its rows, in the part the detached viewer does not cover."""
        if "list_click" in self.layout:
            return self.layout["list_click"]
        left, top, width, height = self.list_area()
        return left + width - 20, top + height - 10

    def select(self, prefix, name, folder="samples", timeout=20):
        """Selects a file of the list by typing the start of its name; the caption names it."""
        self.click(*self.empty_list_place())
        keys("Home")
        # Letters typed within the keyboard search interval of the last ones would add to them.
        wait_until("the list's keyboard search over", lambda: time.monotonic() - desktop.last_typed() > 0.5)
        type_text(prefix)
        self.wait_caption(f"Orvane - C:\\{folder}\\{name}", timeout)

    def select_when_listed(self, prefix, name, folder="samples", timeout=20):
        """Selects a file that another program has just made: the list shows it within a second or
        so, and a user who typed its name before that types it again."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                self.select(prefix, name, folder, timeout=2)
                return
            except Failure:
                if time.monotonic() > deadline:
                    raise

    # --- Sorting ---------------------------------------------------------------------------------------

    def check_order(self, first, last):
        """Home and Down select the first file after the folder, End the last one; each shows its
        name in the caption."""
        self.click(*self.empty_list_place())
        keys("Home", "Down")
        self.wait_caption(f"Orvane - C:\\sorting\\{first}")
        keys("End")
        self.wait_caption(f"Orvane - C:\\sorting\\{last}")

    def red_button(self, shot, key):
        """Whether the sort button's caption is red, as the button of the list's order is."""
        return self.count(shot, *self.rect(SORT_BUTTONS[key]), RED, 60) > 10

    def click_sort_button(self, key):
        self.click(*self.centre(SORT_BUTTONS[key]))

    # --- Panel menus -----------------------------------------------------------------------------------

    def caption_edge(self, shot, menu):
        """The colour of a menu caption's top edge: white raised, shadow lowered, face at rest."""
        left, top, width, _ = self.rect(CAPTIONS[menu])
        return self.pixel(shot, left + width // 2, top)

    def drop_down_shown(self, shot, left, top, width, height):
        """A drop-down covers the white list and tree below the top band with its face colour (and
        the navy of a lit item)."""
        y0 = max(top, 56)
        area = width * (top + height - 2 - y0)
        x, y = self.at(left + 2, y0)
        return shot.count(x, y, width - 4, top + height - 2 - y0,
                          lambda c: near(c, FACE, 4) or near(c, NAVY, 4)) > area * 0.6

    def menu_shown(self, shot, menu):
        return self.drop_down_shown(shot, *self.rect(DROP_DOWNS[menu]))

    def second_shown(self, shot, level):
        return self.drop_down_shown(shot, *self.rect(SECOND_LEVEL[level][0]))

    def item_place(self, menu, item):
        left, top, width, _ = self.rect(ITEMS[menu][item])
        return left, top, width

    def hover_item(self, menu, item):
        left, top, width = self.item_place(menu, item)
        self.hover(left + width // 2, top + 10)

    def click_item(self, menu, item):
        left, top, width = self.item_place(menu, item)
        self.click(left + width // 2, top + 10)

    def second_item(self, level, item):
        left, top, _, _ = self.rect(SECOND_LEVEL[level][1][item])
        return left, top

    def click_second_item(self, level, item, hover_first=False):
        place = [v + d for v, d in zip(self.second_item(level, item), (30, 10))]
        if hover_first:
            self.hover(*place)
        self.click(*place)

    def ticked(self, shot, left, top):
        """The tick of an item whose check image sits at (2, 1) of the item: its long stroke."""
        return self.pixel(shot, left + 2 + 6, top + 1 + 10) == BLACK

    def hover_caption(self, menu):
        left, top, _, _ = self.rect(CAPTIONS[menu])
        self.hover(left + 20, top + 9)

    def open_menu(self, menu):
        """A click on the caption opens its drop-down and lowers the caption."""
        self.click(*self.centre(CAPTIONS[menu]))
        return self.look(f"the {menu} menu open",
                         lambda s: self.menu_shown(s, menu) and self.caption_edge(s, menu) == SHADOW)

    def open_second_level(self, level):
        """Hovering an item of the tool menu opens its second level."""
        self.hover_item("tool", level)
        return self.look(f"the {level} menu open", lambda s: self.second_shown(s, level)
                         and (level == "order" or not self.order_strip_shown(s)))

    def order_strip_shown(self, shot):
        """The bottom of the sort key menu, which no other second level covers."""
        left, top, width, height = self.rect(SECOND_LEVEL["order"][0])
        return self.count(shot, left + 2, top + height - 17, width - 5, 14, FACE, 4) > (width - 5) * 14 * 0.6

    def choose_second(self, level, item):
        """Opens the tool menu and the second level and clicks the item; the menus close."""
        self.open_menu("tool")
        self.open_second_level(level)
        self.click_second_item(level, item)
        self.look("the menus closed", lambda s: not self.menu_shown(s, "tool") and not self.second_shown(s, level))

    # --- Viewer panes ----------------------------------------------------------------------------------

    def pane(self):
        """The viewer pane of the current arrangement, below or right of the list: left, top, width,
        height."""
        for name in ("UnderView", "RightView"):
            found = self.control(name)
            if found.shown:
                return found.x, found.y, found.w, found.h
        raise Failure("neither viewer pane of the main window is shown")

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
        if window:
            form, panel = "view", ""
        else:
            form, panel = "ImageForm", "U_" if self.control("UnderView").shown else "R_"
        left, top, _, _ = self.rect(panel + "Midi", form)
        status = (left + 50, top + 4, 88, 24)
        playing = self.count(shot, *status, FUCHSIA, 60, window=window) > 15
        waiting = self.count(shot, *status, GREEN, 40, window=window) > 15
        play_red = self.count(shot, *self.rect(panel + "MidiPlay", form), RED, 60, window=window) > 3
        stop_red = self.count(shot, *self.rect(panel + "MidiStop", form), RED, 60, window=window) > 3
        if playing and not waiting and stop_red and not play_red:
            return "playing"
        if waiting and not playing and play_red and not stop_red:
            return "waiting"
        return None

    # --- Doors and grips --------------------------------------------------------------------------------

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

    def grip_x(self, shot, x0, x1):
        """The grips of the one-line band: raised panels 21 pixels high from y 2."""
        found = []
        for x in range(x0, x1):
            if all(self.pixel(shot, x, y) == WHITE for y in (4, 12, 20)) and \
                    all(self.pixel(shot, x + 1, y) in (FACE, SHADOW) for y in (4, 12, 20)):
                found.append(x)
        return found
