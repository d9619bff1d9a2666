"""Drives and folders: the drive box, the folder tree and a folder's row in the list."""

from desktop import grab, keys, type_text
from helpers import FACE


def pick_drive_and_folder(suite):
    """The user picks drive Z: (the root of the host) and back C:, then goes up to C:\\ in the
    folder tree and down into the sorting folder."""
    suite.step_name = "folders"
    pick_drive(suite, "z", "Orvane - Z:\\")
    # The host's root has many folders: the tree and the list fill up.
    suite.look("the tree and the list of the host's root",
              lambda s: suite.tree_lines(s) >= 10 and suite.list_rows(s) >= 8)
    suite.keep("drive-z")
    pick_drive(suite, "c", "Orvane - C:\\work")
    suite.look("the tree at C:\\work, the cache folder made at the start and the two settings files",
              lambda s: suite.tree_lines(s) == 3 and suite.list_rows(s) == 3)
    # C:\ holds bin, samples, sorting and work, in this order.
    suite.open_folder(0, "Orvane - C:\\", tree=5, rows=4)
    suite.keep("drive-c-root")
    suite.open_folder(3, "Orvane - C:\\sorting", tree=3, rows=5)
    suite.keep("sorting-folder")
    # A double-click on a folder's row in the list (it starts nothing) enters the folder.
    list_left, list_top, _, _ = suite.rect("ListView1")
    suite.click(list_left + 53, list_top + 11, repeat=2)
    suite.wait_caption("Orvane - C:\\sorting\\zeta")
    suite.look("the empty folder zeta", lambda s: suite.tree_lines(s) == 3 and suite.list_rows(s) == 0)
    suite.keep("folder-row-entered")
    suite.open_folder(1, "Orvane - C:\\sorting", tree=3, rows=5)


def pick_drive(suite, letter, caption):
    """Opens the drive box and picks the drive by its letter."""
    below = grab()
    left, top, _, _ = suite.rect("DriveComboBox2")
    suite.click(left + 64, top + 8)
    # The list opens below the box, over the folder tree.
    below_box = (left + 14, top + 18, 100, 40)
    suite.look("the drive box's list open",
              lambda s: suite.count(s, *below_box, FACE, 0) != suite.count(below, *below_box, FACE, 0))
    type_text(letter)
    keys("Return")
    suite.wait_caption(caption)
