"""The doors between the window's parts and the grips of the one-line band."""

from helpers import W, H, FW, FH


def drag_doors_and_grips(suite):
    """The user drags every door and grip: the door between tree and list, the lower door, the
    right door, the door under the top band (which snaps the band to no, one or two lines) and
    the two grips of the one-line band; each stops at its limits."""
    suite.step_name = "doors"
    row = 150
    suite.look("the centre door", lambda s: suite.door_x(s, row, 100, 300) == 125)
    drag_door_x(suite, "the centre door", row, suite.rect("CenterDoor")[0], 205, 205, (100, 400))
    suite.keep("centre-door")
    drag_door_x(suite, "the centre door at its left stop", row, 205, 3, 1 + 10, (2, 400))
    suite.keep("centre-door-stop")
    drag_door_x(suite, "the centre door back", row, 11, 125, 125, (2, 400))

    column = 400
    down = FH // 3 + suite.band + 3
    suite.look("the lower door", lambda s: suite.door_y(s, column, 150, 300) == down)
    drag_door_y(suite, "the lower door", column, suite.rect("DownDoor")[1], down - 60, down - 60, (100, 400))
    suite.look("the picture at the pane's new corner", lambda s: suite.picture_at(s, *suite.pane_point(0, 0)))
    suite.keep("lower-door")
    drag_door_y(suite, "the lower door at its bottom stop", column, down - 60, H - 2, H - 25, (100, H))
    suite.keep("lower-door-stop")
    drag_door_y(suite, "the lower door back", column, H - 25, down, down, (100, H))

    drag_door_y(suite, "the top band at one line", column, suite.rect("UpDoor")[1], 27, 25, (10, 100))
    suite.band = 25
    grips = suite.look("the two grips of the one-line band",
                      lambda s: suite.grip_x(s, 600, W - 50) == [W - 80 - 30 + 4, W - 80 + 4])
    suite.keep("one-line-band")
    info, drive = suite.grip_x(grips, 600, W - 50)
    suite.drag(info + 1, 12, info - 100, 12)
    suite.look("the info grip moved", lambda s: suite.grip_x(s, 500, W - 50) == [info - 100, drive])
    suite.drag(drive + 1, 12, drive - 50, 12)
    suite.look("the drive grip moved", lambda s: suite.grip_x(s, 500, W - 50) == [info - 100, drive - 50])
    suite.keep("grips")
    suite.drag(drive - 50 + 1, 12, 20, 12)
    # The drive box then reaches under the title mark: its own arrow button's raised edge
    # follows the two grips.
    suite.look("the drive grip at its stop",
              lambda s: suite.grip_x(s, 500, W - 50)[:2] == [info - 100, info - 100 + 30])
    suite.keep("grips-stop")
    drag_door_y(suite, "the top band hidden", column, 25, 5, 0, (0, 100))
    suite.band = 0
    suite.keep("no-band")
    drag_door_y(suite, "the top band at two lines", column, 0, 60, 50, (0, 100))
    suite.band = 50
    suite.look("the grips hidden again", lambda s: suite.grip_x(s, 500, W - 50) == [])
    suite.keep("two-line-band")

    suite.open_menu("view")
    suite.click_item("view", "right")
    right = FW - FW // 3
    suite.look("the right door", lambda s: suite.door_x(s, row, 300, W) == right)
    drag_door_x(suite, "the right door", row, suite.rect("RightDoor")[0], right - 80, right - 80, (300, W))
    suite.look("the picture at the right pane's new corner", lambda s: suite.picture_at(s, *suite.pane_point(0, 0)))
    suite.keep("right-door")
    drag_door_x(suite, "the right door shut", row, right - 80, W - 5, W - 3, (300, W))
    suite.keep("right-door-shut")
    drag_door_x(suite, "the right door back", row, W - 3, right, right, (300, W))
    suite.open_menu("view")
    suite.click_item("view", "under")
    suite.look("the picture below the list", lambda s: suite.picture_at(s, *suite.pane_point(0, 0)))


def drag_door_x(suite, name, row, start, target, expected, x_range):
    # Each move adds the pointer's offset within the door to its place, so the door's left
    # edge ends where the pointer is let go.
    suite.drag(start + 1, row, target, row)
    suite.look(f"{name} at x {expected}", lambda s: suite.door_x(s, row, *x_range) == expected)


def drag_door_y(suite, name, column, start, target, expected, y_range):
    suite.drag(column, start + 1, column, target)
    suite.look(f"{name} at y {expected}", lambda s: suite.door_y(s, column, *y_range) == expected)
