"""The list's styles: details, large icons and the list."""

from helpers import FACE, PURPLE


def switch_list_styles(suite):
    """In the samples folder the user switches the list to details, large icons and back to the
    list style: the details have their header, the large icons the program's 32-pixel icon."""
    suite.step_name = "styles"
    suite.open_folder(0, "Orvane - C:\\")
    suite.open_folder(2, "Orvane - C:\\samples")
    shot = suite.look("the program's small icon", lambda s: 150 <= purple_in_list(suite, s) <= 260)
    suite.keep("list")
    left, top, width, _ = suite.list_area()
    suite.choose_second("style", "report")
    suite.look("the details header and the small icon",
              lambda s: suite.count(s, left, top, width, 12, FACE, 4) > width * 12 * 0.7
              and 150 <= purple_in_list(suite, s) <= 260)
    suite.keep("report")
    suite.choose_second("style", "icon")
    suite.look("the program's large icon", lambda s: 700 <= purple_in_list(suite, s) <= 820)
    suite.keep("icon")
    suite.open_menu("tool")
    shot = suite.open_second_level("style")
    suite.expect(suite.ticked(shot, *suite.second_item("style", "icon")), "the large icons are not ticked")
    suite.click_second_item("style", "list")
    suite.look("the program's small icon again", lambda s: 150 <= purple_in_list(suite, s) <= 260)
    suite.keep("list-again")


def purple_in_list(suite, shot):
    return suite.count(shot, *suite.list_area(), PURPLE, 8)
