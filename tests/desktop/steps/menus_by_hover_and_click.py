"""The panel menus: captions, drop-downs, items, ticks and the second levels."""

from desktop import find_windows, wait_until
from helpers import FACE, WHITE, SHADOW, BLACK, NAVY, CAPTIONS, SORT_ENDS


def menus_by_hover_and_click(suite):
    """The user hovers and clicks the panel menus: a hovered caption rises, a click opens its
    drop-down, and in menu mode hovering another caption opens that one; items light up under
    the pointer; the tick marks the current choice; the second levels sort the list."""
    suite.step_name = "menus"
    suite.hover_caption("view")
    shot = suite.look("the viewer caption raised", lambda s: suite.caption_edge(s, "view") == WHITE)
    suite.expect(not suite.menu_shown(shot, "view"), "hovering a caption outside menu mode opened its menu")
    suite.keep("caption-raised")
    suite.open_menu("file")
    suite.keep("file-menu")
    suite.hover_caption("view")
    shot = suite.look("the viewer menu open by hovering, the file menu closed",
                     lambda s: suite.menu_shown(s, "view") and not suite.menu_shown(s, "file")
                     and suite.caption_edge(s, "view") == SHADOW and suite.caption_edge(s, "file") == FACE)
    left, top, _ = suite.item_place("view", "under")
    suite.expect(suite.ticked(shot, left, top), "the under viewer carries no tick")
    for item in ("separate", "right"):
        suite.expect(not suite.ticked(shot, *suite.item_place("view", item)[:2]), f"the {item} viewer is ticked")
    suite.keep("view-menu")
    suite.hover_item("view", "right")
    left, top, width = suite.item_place("view", "right")
    uleft, utop, uwidth = suite.item_place("view", "under")
    suite.look("the right viewer item lit", lambda s: suite.count(s, left, top, width, 20, NAVY, 8) > width * 10
              and suite.count(s, uleft, utop, uwidth, 20, NAVY, 8) == 0)
    suite.keep("item-lit")
    # The file list is work area: every drop-down closes, menu mode stays on, so the help
    # caption opens its menu at once.
    suite.hover(*suite.centre("ListView1"))
    suite.look("the menus closed over the list", lambda s: not suite.menu_shown(s, "view"))
    suite.hover_caption("help")
    suite.look("the help menu open by hovering", lambda s: suite.menu_shown(s, "help"))
    suite.hover_item("help", "version")
    suite.keep("help-menu")
    suite.click_item("help", "version")
    about = wait_until("the version dialog", lambda: find_windows("^Orvane ﾊﾞｰｼﾞｮﾝ情報$"))[0]
    geometry = wait_until("the version dialog on the screen", about.geometry)
    suite.expect(geometry[2:] == (239, 127), f"version dialog client {geometry[2:]}, expected (239, 127)")
    suite.expect("_NET_WM_ACTION_CLOSE" not in about.property("_NET_WM_ALLOWED_ACTIONS"),
                "the version dialog can be closed from its frame")
    suite.look("the version dialog drawn: its face and the program's name in black",
              lambda s: suite.count(s, 0, 0, 239, 127, FACE, 4, window=about) > 239 * 127 // 3
              and suite.count(s, 60, 15, 160, 50, BLACK, 60, window=about) > 40)
    suite.keep("version-dialog")
    suite.click(*suite.centre("OkButton", "VerForm"), window=about)
    wait_until("the version dialog closed", lambda: not about.viewable())
    # The tool menu's second levels: the tick follows the sort key and the direction.
    suite.open_menu("tool")
    shot = suite.open_second_level("order")
    suite.expect(suite.ticked(shot, *suite.second_item("order", "name")), "sorting by name is not ticked")
    suite.keep("order-menu")
    suite.click_second_item("order", "date", hover_first=True)
    suite.look("the date button red", lambda s: suite.red_button(s, "date"))
    suite.check_order(*SORT_ENDS["date"])
    suite.open_menu("tool")
    shot = suite.open_second_level("order")
    suite.expect(suite.ticked(shot, *suite.second_item("order", "date"))
                and not suite.ticked(shot, *suite.second_item("order", "name")), "the tick did not follow")
    suite.keep("order-ticked")
    suite.open_second_level("direction")
    suite.keep("direction-menu")
    suite.click_second_item("direction", "descending")
    suite.look("the menus closed", lambda s: not suite.second_shown(s, "direction"))
    suite.check_order(*reversed(SORT_ENDS["date"]))
    suite.open_menu("tool")
    shot = suite.open_second_level("direction")
    suite.expect(suite.ticked(shot, *suite.second_item("direction", "descending"))
                and not suite.ticked(shot, *suite.second_item("direction", "ascending")),
                "the direction tick did not follow")
    suite.click_second_item("direction", "ascending")
    suite.check_order(*SORT_ENDS["date"])
    suite.choose_second("order", "name")
    suite.check_order(*SORT_ENDS["name"])
    # A click on the open caption closes its menu and ends menu mode.
    suite.open_menu("file")
    suite.click(*suite.centre(CAPTIONS["file"]))
    suite.look("the file menu closed", lambda s: not suite.menu_shown(s, "file"))
    suite.hover_caption("view")
    shot = suite.look("the viewer caption raised", lambda s: suite.caption_edge(s, "view") == WHITE)
    suite.expect(not suite.menu_shown(shot, "view"), "menu mode went on after its caption closed it")
    suite.keep("menus-closed")
    suite.hover(*suite.centre("ListView1"))
