"""The settings dialog: a changed setting is written and applied at once; Esc changes nothing."""

import os

from desktop import find_windows, grab, keys, wait_until
from helpers import WHITE, BLACK, W, FW, SORT_ENDS


def change_settings(suite):
    """In the sorting folder the user opens the settings dialog from the file menu, shortens
    the capture wait with its up-down, and on the start sheet picks sorting by size, descending,
    the viewer to the right and no info bar. OK writes the settings file and applies it at
    once: the size button turns red, the list runs from the largest file, the right door
    appears and the top band shrinks to the menu line with its grips."""
    suite.step_name = "settings"
    suite.open_folder(0, "Orvane - C:\\")
    suite.open_folder(3, "Orvane - C:\\sorting")
    suite.open_menu("file")
    suite.hover_item("file", "option")
    suite.keep("file-menu-option")
    suite.click_item("file", "option")
    dialog = wait_until("the settings dialog", lambda: find_windows("^Orvane\u3000環境設定$"))[0]
    geometry = wait_until("the settings dialog on the screen", dialog.geometry)
    suite.expect(geometry[2:] == (320, 285), f"settings dialog client {geometry[2:]}, expected (320, 285)")
    suite.expect("_NET_WM_STATE_ABOVE" in dialog.property("_NET_WM_STATE"), "the settings dialog is not kept on top")
    screen_w, screen_h = 1024, 768
    suite.expect(abs(geometry[0] + 160 - screen_w // 2) <= 40 and abs(geometry[1] + 142 - screen_h // 2) <= 40,
                f"the settings dialog is not centred on the screen: {geometry}")
    # The capture sheet: the wait edit reads 3; a click on the up-down's lower arrow makes it 2.
    suite.look("the capture sheet", lambda s: not dialog_shows_start_sheet(suite, s, dialog))
    suite.keep("capture-sheet")
    left, top, width, height = suite.rect("UpDown1", "Cust")
    suite.click(left + width // 2, top + 15, window=dialog)
    # The start sheet, by its tab.
    click_start_tab(suite, dialog)
    suite.look("the start sheet", lambda s: dialog_shows_start_sheet(suite, s, dialog))
    # Combo boxes take the next item from the Down key.
    for (box, downs) in (("SeFile", 3), ("SortFile", 1), ("ViewSet", 1)):
        left, top, _, _ = suite.rect(box, "Cust")
        suite.click(left + 38, top + 11, window=dialog)
        keys(*["Down"] * downs)
    left, top, _, _ = suite.rect("InfoBar", "Cust")
    suite.click(left + 7, top + 9, window=dialog)
    suite.look("the info bar unchecked (no tick in its box)",
              lambda s: suite.count(s, left + 4, top + 5, 7, 7, BLACK, 60, window=dialog) < 3)
    suite.keep("start-sheet")
    suite.click(*suite.centre("OkButton", "Cust"), window=dialog)
    wait_until("the settings dialog closed", lambda: not dialog.viewable())
    with open(os.path.join(suite.world.work, "TavoCust.cnf"), "rb") as file:
        written = file.read().split(b"\r\n")
    expected = {1: b"2", 7: b"1", 8: b"1", 9: b"2", 10: b"3", 11: b"1", 12: b"0"}
    got = {line: written[line - 1] if len(written) >= line else None for line in expected}
    suite.expect(got == expected, f"TavoCust.cnf lines {got}, expected {expected}")
    suite.band = 25
    right = FW - FW // 3
    suite.look("the size button red, the right door and the one-line band with its grips",
              lambda s: suite.red_button(s, "size") and not suite.red_button(s, "name")
              and suite.door_x(s, 150, 300, W) == right and len(suite.grip_x(s, 500, W - 50)) >= 2)
    suite.keep("applied")
    suite.check_order(*reversed(SORT_ENDS["size"]))
    # Esc closes the dialog without any change: neither the file nor the window.
    with open(os.path.join(suite.world.work, "TavoCust.cnf"), "rb") as file:
        before = file.read()
    suite.open_menu("file")
    suite.click_item("file", "option")
    dialog = wait_until("the settings dialog again", lambda: find_windows("^Orvane\u3000環境設定$"))[0]
    wait_until("the settings dialog on the screen", dialog.geometry)
    click_start_tab(suite, dialog)
    suite.look("the start sheet", lambda s: dialog_shows_start_sheet(suite, s, dialog))
    left, top, _, _ = suite.rect("SeFile", "Cust")
    suite.click(left + 38, top + 11, window=dialog)
    x, y = suite.at(left + 2, top + 3, dialog)
    shown = grab().region(x, y, 110, 16).data
    keys("Up")
    suite.look("the sort key box showing another key", lambda s: s.region(x, y, 110, 16).data != shown)
    suite.keep("cancelled-choice")
    keys("Escape")
    wait_until("the settings dialog closed by Esc", lambda: not dialog.viewable())
    with open(os.path.join(suite.world.work, "TavoCust.cnf"), "rb") as file:
        suite.expect(file.read() == before, "Esc in the settings dialog changed the settings file")
    suite.look("the size button still red", lambda s: suite.red_button(s, "size") and not suite.red_button(s, "date"))
    suite.check_order(*reversed(SORT_ENDS["size"]))


def dialog_shows_start_sheet(suite, shot, dialog):
    """The start sheet's first two combo boxes (white) where the capture sheet has the
    up-downs of its first two edits."""
    boxes = [suite.rect(box, "Cust") for box in ("FileView", "SeFile")]
    return all(suite.count(shot, left + 98, top + 4, 12, 12, WHITE, 4, window=dialog) > 12 * 12 * 0.9
               for left, top, _, _ in boxes)


def click_start_tab(suite, dialog):
    """The start sheet's tab, the last of the page control's row of tabs."""
    left, top, _, _ = suite.rect("PageControl1", "Cust")
    suite.click(left + 251, top + 10, window=dialog)
