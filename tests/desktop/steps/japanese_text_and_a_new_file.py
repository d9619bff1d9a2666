"""Japanese text in two encodings, and a file another program makes in the shown folder."""

import os

from desktop import grab, near, run
from helpers import BLACK


def japanese_text_and_a_new_file(suite):
    """The user shows a Japanese text written in EUC-JP: it is drawn exactly as the same text
    in Shift-JIS. Then another program makes a file in the shown folder: the list shows it
    without being asked, and the user selects it. The desktop knows the window as Orvane."""
    suite.step_name = "japanese"
    left, top, width, height = suite.pane()
    points = [(x, y) for y in range(2, min(height - 12, 60), 3) for x in range(2, min(width - 12, 300), 3)]

    def pixels(shot):
        return [suite.pixel(shot, *suite.pane_point(x, y)) for x, y in points]

    suite.select("kana-s", "kana-sjis.txt")
    shot = suite.look("the Shift-JIS text in the pane",
                     lambda s: sum(1 for p in pixels(s) if near(p, BLACK, 80)) > 30)
    shift_jis = pixels(shot)
    suite.keep("shift-jis")
    suite.select("kana-e", "kana-euc.txt")
    suite.look("the EUC-JP text drawn as the Shift-JIS one", lambda s: pixels(s) == shift_jis, timeout=10)
    suite.keep("euc-jp")

    with open(os.path.join(suite.world.samples, "zz-made-elsewhere.txt"), "w") as made:
        made.write("made by another program\n")
    suite.select_when_listed("zz", "zz-made-elsewhere.txt")
    suite.keep("new-file", grab())
    wm_class = run("xprop", "-id", suite.main.id, "WM_CLASS").decode()
    suite.expect('"Orvane"' in wm_class, f"the taskbar's class of the window is {wm_class.strip()}, not Orvane")
