"""Closing: the window resized, moved and closed; its places are kept in the settings file."""

import os

from desktop import click_at, drag, grab, wait_until
from fixture import MAIN_BOUNDS, VIEW_BOUNDS
from helpers import W, H


def close_program(suite):
    """The user makes the main window larger by its frame's corner (the list and the right
    pane follow, the right door keeping its distance from the right edge), moves it by its
    title bar and closes it with the frame's close button: the program ends and its second
    settings file keeps the window's new place (the outer frame's top and left) and size, and
    the viewer's."""
    suite.step_name = "close"
    left, top, width, height = suite.main.geometry()
    fleft, fright, ftop, fbottom = suite.main.frame_extents()
    # The viewer's door keeps its distance from the right or the bottom edge.
    if suite.control("RightView").shown:
        door = lambda s: suite.door_x(s, 150, 300, W + 60)
        grown = 60
    else:
        door = lambda s: suite.door_y(s, 400, 100, H + 40)
        grown = 40
    before = suite.look("the viewer's door", door)
    before = door(before)
    corner = (left + width + fright // 2, top + height + fbottom // 2)
    drag(*corner, corner[0] + 60, corner[1] + 40)
    wait_until("the main window larger", lambda: (suite.main.geometry() or (0, 0, 0, 0))[2:] == (W + 60, H + 40))
    suite.look(f"the viewer's door {grown} pixels further", lambda s: door(s) == before + grown)
    suite.keep("resized")
    width, height = W + 60, H + 40
    title = (left + 200, top - ftop // 2)
    drag(*title, title[0] + 40, title[1] + 30)
    wait_until("the main window moved", lambda: (suite.main.geometry() or (0, 0))[:2] == (left + 40, top + 30))
    moved = (left + 40, top + 30)
    suite.keep("moved", grab())
    close_box = (moved[0] + width + fright - 16, moved[1] - ftop // 2)
    click_at(*close_box)
    wait_until("the program ended", lambda: suite.process.poll() is not None)
    suite.expect(suite.process.returncode == 0, f"the program ended with {suite.process.returncode}")
    with open(os.path.join(suite.world.work, "TavoCust2.cnf"), "rb") as file:
        lines = file.read().split(b"\r\n")
    mtop, mleft, mwidth, mheight = MAIN_BOUNDS
    vtop, vleft, vwidth, vheight = VIEW_BOUNDS
    if suite.viewer_moved:
        vtop, vleft = vtop - 30, vleft - 40
    expected = [str(v).encode() for v in (mtop + 30, mleft + 40, mwidth + 60, mheight + 40,
                                          vtop, vleft, vwidth, vheight)]
    suite.expect(lines[:8] == expected, f"TavoCust2.cnf holds {lines[:8]}, expected {expected}")
