"""Sorting: each sort button and the direction toggle."""

from desktop import grab
from helpers import SORT_BUTTONS, SORT_ENDS


def sort_by_each_key(suite):
    """The user sorts the sorting folder by each key with its button and turns the direction
    with the toggle: the folder always comes first, the key's button caption turns red, the
    others black."""
    suite.step_name = "sort"
    for key in ("type", "size", "date", "name"):
        suite.click_sort_button(key)
        shot = suite.look(f"the {key} button in red",
                         lambda s: suite.red_button(s, key)
                         and not any(suite.red_button(s, k) for k in SORT_BUTTONS if k != key))
        suite.keep(f"{key}-ascending", shot)
        first, last = SORT_ENDS[key]
        suite.check_order(first, last)
        suite.click_sort_button("toggle")
        suite.check_order(last, first)
        suite.keep(f"{key}-descending", grab())
        suite.click_sort_button("toggle")
        suite.check_order(first, last)
