"""The keyboard: the list, its message boxes and the dialogs without the mouse."""

import os
import re
import time

from desktop import find_windows, grab, keys, type_text, wait_until
from helpers import WHITE, BLACK


def keyboard(suite):
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
    suite.step_name = "keyboard"
    suite.open_folder(0, "Orvane - C:\\")
    suite.open_folder(2, "Orvane - C:\\samples")
    suite.open_folder(2, "Orvane - C:\\samples\\sub")
    suite.click(*suite.empty_list_place())
    keys("Home")
    suite.wait_caption("Orvane - C:\\samples\\sub\\a.txt")
    started = started_programs(suite)

    keys("Down")
    suite.wait_caption("Orvane - C:\\samples\\sub\\broken.bmp")
    box = wait_box(suite, "Orvane")
    suite.keep("picture-error", grab())
    keys("space")
    wait_until("the picture's box closed", lambda: not box.viewable())
    stays_quiet(suite, "the picture's box closed")

    # The cursor's program is the sheet's, which Enter on the list would start.
    keys("Down")
    suite.wait_caption("Orvane - C:\\samples\\sub\\gone.cur")
    box = wait_box(suite, "Orvane")
    suite.keep("cursor-error", grab())
    keys("Return")
    wait_until("the cursor's box closed by Enter", lambda: not box.viewable())
    stays_quiet(suite, "Enter closed the cursor's box")

    keys("Down")
    suite.wait_caption("Orvane - C:\\samples\\sub\\plain.zzz")
    keys("Return")
    box = wait_box(suite, "Error")
    suite.keep("cannot-start", grab())
    keys("Return")
    wait_until("the box closed by Enter", lambda: not box.viewable())
    stays_quiet(suite, "Enter closed the box")

    keys("Down")
    suite.wait_caption("Orvane - C:\\samples\\sub\\table.xls")
    suite.open_menu("help")
    suite.click_item("help", "version")
    about = wait_until("the version dialog", lambda: find_windows("^Orvane ﾊﾞｰｼﾞｮﾝ情報$"))[0]
    wait_until("the version dialog on the screen", about.geometry)
    suite.keep("version-dialog", grab())
    keys("Return")
    wait_until("the version dialog closed by Enter", lambda: not about.viewable())
    stays_quiet(suite, "Enter closed the version dialog")
    suite.expect(started_programs(suite) == started, "a program was started in the keyboard step")

    keyboard_in_the_settings(suite)


def message_boxes(suite, title):
    return find_windows("^" + re.escape(title) + "$")


def wait_box(suite, title):
    """The one message box of the title, once it is on the screen."""
    boxes = wait_until(f'the message box "{title}"', lambda: message_boxes(suite, title))
    suite.expect(len(boxes) == 1, f'{len(boxes)} message boxes "{title}" at once')
    wait_until(f'the message box "{title}" on the screen', boxes[0].geometry)
    return boxes[0]


def started_programs(suite):
    """What the sheet's program (the test window) was started for, from its log."""
    if not os.path.exists(suite.world.window_log):
        return []
    with open(suite.world.window_log) as log:
        return log.read().split()


def stays_quiet(suite, what, seconds=2.0, titles=("Orvane", "Error")):
    """For a while no message box of the titles comes (back) and no program is started."""
    started = started_programs(suite)
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for title in titles:
            suite.expect(not message_boxes(suite, title), f'after {what} the message box "{title}" came')
        suite.expect(not find_windows(r"^Test window - ") and started_programs(suite) == started,
                    f"after {what} the sheet's program was started")
        time.sleep(0.1)


def dialog_sheet(suite, shot, dialog):
    """Which sheet of the settings dialog shows, told by white that only it has there: the
    capture sheet's grid of types, the view sheet's grid of text types, the cache sheet's
    size edit, the start sheet's first two boxes."""
    def white(control, x, y, w, h):
        left, top, _, _ = suite.rect(control, "Cust")
        return suite.count(shot, left + x, top + y, w, h, WHITE, 4, window=dialog) > w * h * 0.9
    sheets = {"capture": white("CapNames", 67, 39, 45, 10), "view": white("TextNames", 65, 63, 30, 20),
              "cache": white("CashSize", 25, 4, 20, 12),
              "start": white("FileView", 98, 4, 12, 12) and white("SeFile", 98, 4, 12, 12)}
    shown = [name for name, seen in sheets.items() if seen]
    return shown[0] if len(shown) == 1 else None


def open_settings(suite):
    suite.open_menu("file")
    suite.click_item("file", "option")
    dialog = wait_until("the settings dialog", lambda: find_windows("^Orvane\u3000環境設定$"))[0]
    wait_until("the settings dialog on the screen", dialog.geometry)
    suite.look("the capture sheet", lambda s: dialog_sheet(suite, s, dialog) == "capture")
    return dialog


def turn_sheet(suite, dialog, key, sheet):
    keys(key)
    suite.look(f"the {sheet} sheet after {key}", lambda s: dialog_sheet(suite, s, dialog) == sheet)


def keyboard_in_the_settings(suite):
    settings_file = os.path.join(suite.world.work, "TavoCust.cnf")
    with open(settings_file, "rb") as file:
        before = file.read()
    dialog = open_settings(suite)
    turn_sheet(suite, dialog, "ctrl+Tab", "view")
    suite.keep("ctrl-tab")
    turn_sheet(suite, dialog, "ctrl+Tab", "cache")
    turn_sheet(suite, dialog, "ctrl+shift+Tab", "view")
    turn_sheet(suite, dialog, "ctrl+shift+Tab", "capture")
    turn_sheet(suite, dialog, "ctrl+shift+Tab", "start")
    turn_sheet(suite, dialog, "ctrl+Tab", "capture")

    # The folder chooser from the cache sheet: Tab from the folder list passes the drive box
    # to OK, and Enter presses it: the folder edit takes the chosen folder. Esc then leaves
    # the settings as they were.
    turn_sheet(suite, dialog, "ctrl+Tab", "view")
    turn_sheet(suite, dialog, "ctrl+Tab", "cache")
    edit_left, edit_top, _, _ = suite.rect("CashDir", "Cust")
    x, y = suite.at(edit_left + 2, edit_top + 2, dialog)
    folder_edit = grab().region(x, y, 200, 17).data
    suite.click(*suite.centre("SerchDir", "Cust"), window=dialog)
    chooser = wait_until("the folder chooser", lambda: find_windows("^ﾌｫﾙﾀﾞ参照\u3000Orvane$"))[0]
    wait_until("the folder chooser on the screen", chooser.geometry)
    suite.keep("folder-chooser", grab())
    keys("Tab", "Tab", "Return")
    wait_until("the folder chooser closed by Enter on OK", lambda: not chooser.viewable())
    suite.expect(dialog.viewable(), "Enter in the folder chooser closed the settings dialog")
    suite.look("the chosen folder in the folder edit", lambda s: s.region(x, y, 200, 17).data != folder_edit)
    suite.keep("folder-chosen")
    keys("Escape")
    wait_until("the settings dialog closed by Esc", lambda: not dialog.viewable())
    stays_quiet(suite, "the settings dialog closed")
    with open(settings_file, "rb") as file:
        suite.expect(file.read() == before, "Esc in the settings dialog changed the settings file")

    # In the capture types' grid: a type typed into the first free row, Tab to OK, Shift+Tab
    # back into the grid, a second type in the row below, Tab to OK and Enter.
    dialog = open_settings(suite)
    grid_left, grid_top, _, _ = suite.rect("CapNames", "Cust")
    suite.click(grid_left + 89, grid_top + 44, window=dialog)
    type_text("qqq")
    keys("Tab")
    suite.look("the grid left: the typed type's row marked as the user's",
              lambda s: suite.count(s, grid_left + 4, grid_top + 37, 54, 14, BLACK, 60, window=dialog) > 10)
    suite.keep("tab-out-of-grid")
    keys("shift+Tab", "Down")
    type_text("rrr")
    keys("Tab")
    time.sleep(0.3)
    suite.keep("tab-to-ok", grab())
    keys("Return")
    wait_until("the settings dialog closed by Enter on OK", lambda: not dialog.viewable())
    with open(settings_file, "rb") as file:
        written = file.read().split(b"\r\n")
    suite.expect(b"QQQ" in written and b"RRR" in written, f"TavoCust.cnf holds {written}, without QQQ and RRR")
    stays_quiet(suite, "Enter on OK closed the settings dialog")
