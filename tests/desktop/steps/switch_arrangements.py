"""The viewer's three arrangements: right of the list, its own window and below the list."""

from desktop import Window, active_window, drag, find_windows, stacking_order, wait_until
from fixture import VIEW_BOUNDS
from helpers import H


def switch_arrangements(suite):
    """The user moves the viewer to the right of the list, into its own window that stays on
    top and has no close box, and back below the list; the picture follows each time."""
    suite.step_name = "arrangements"
    suite.show_picture()
    suite.open_menu("view")
    suite.click_item("view", "right")
    suite.look("the picture right of the list", lambda s: suite.picture_at(s, *suite.pane_point(0, 0)))
    suite.keep("right")
    suite.open_menu("view")
    suite.click_item("view", "separate")
    suite.view = wait_until("the detached viewer", lambda: find_windows(r"^Orvane - picture\.bmp$"))[0]
    geometry = wait_until("the detached viewer on the screen", suite.view.geometry)
    left, right, top, bottom = suite.view.frame_extents()
    vtop, vleft, vwidth, vheight = VIEW_BOUNDS
    suite.expect(geometry[2:] == (vwidth - 8, vheight - 23),
                f"detached viewer client {geometry[2:]}, expected {(vwidth - 8, vheight - 23)}")
    suite.expect((geometry[0] - left, geometry[1] - top) == (vleft, vtop),
                f"detached viewer at {(geometry[0] - left, geometry[1] - top)}, expected {(vleft, vtop)}")
    suite.expect("_NET_WM_STATE_ABOVE" in suite.view.property("_NET_WM_STATE"), "the viewer is not kept on top")
    suite.expect("_NET_WM_ACTION_CLOSE" not in suite.view.property("_NET_WM_ALLOWED_ACTIONS"),
                "the window manager offers to close the viewer")
    suite.look("the picture in the detached viewer", lambda s: suite.picture_at(s, 0, 0, suite.view))
    suite.keep("separate")
    # The viewer shows the other kinds too: a sound with its own media panel, and text. The
    # list is clicked left of the viewer, which covers its right part.
    suite.layout["list_click"] = (300, H - 20)
    suite.select("to", "tone.wav")
    suite.look("the sound playing in the viewer's panel", lambda s: suite.media_state(s, suite.view) == "playing")
    suite.keep("separate-sound")
    suite.look("the sound at its end in the viewer's panel", lambda s: suite.media_state(s, suite.view) == "waiting")
    suite.select("sj", "sjis.txt")
    suite.look("the text in the viewer",
              lambda s: s.count(*suite.at(4, 4, suite.view), 200, 30, lambda c: sum(c) < 200) > 150
              and suite.media_state(s, suite.view) is None)
    suite.keep("separate-text")
    suite.select("pi", "picture.bmp")
    suite.look("the picture in the detached viewer again", lambda s: suite.picture_at(s, 0, 0, suite.view))
    del suite.layout["list_click"]
    # A click on the main window (on the empty part of the folder tree) raises it, but the
    # viewer stays above it where they overlap.
    tree_left, tree_top, _, _ = suite.rect("DirectoryListBox1")
    suite.click(tree_left + 58, tree_top + 146)
    wait_until("the main window active", lambda: (active_window() or Window(0)).id == suite.main.id)
    order = stacking_order()
    suite.expect(order.index(suite.view.id) > order.index(suite.main.id), "the main window went over the viewer")
    suite.look("the picture still on top", lambda s: suite.picture_at(s, 0, 0, suite.view))
    suite.keep("viewer-on-top")
    # The viewer moves by its title bar; the picture goes with it.
    vleft, vtop, _, _ = suite.view.geometry()
    _, _, vframe_top, _ = suite.view.frame_extents()
    drag(vleft + 100, vtop - vframe_top // 2, vleft + 100 - 40, vtop - vframe_top // 2 - 30)
    wait_until("the viewer moved", lambda: (suite.view.geometry() or (0, 0))[:2] == (vleft - 40, vtop - 30))
    suite.look("the picture in the moved viewer", lambda s: suite.picture_at(s, 0, 0, suite.view))
    suite.keep("viewer-moved")
    suite.viewer_moved = True
    suite.open_menu("view")
    suite.click_item("view", "under")
    wait_until("the detached viewer hidden", lambda: not suite.view.viewable())
    suite.look("the picture below the list again", lambda s: suite.picture_at(s, *suite.pane_point(0, 0)))
    suite.keep("under")
