"""The viewer below the list: one file of every kind the program shows."""

import os
import time

from desktop import Failure, load_picture, near, run
from helpers import FACE, WHITE, RED, PURPLE
import fixture


def show_each_kind(suite):
    """The user shows one file of every kind below the list: a picture, a program's icon, text
    in code page 932 and in UTF-8, rich text, a page with a GIF and a JPEG picture, both
    metafiles, a sound that plays to its end and a video."""
    suite.step_name = "kinds"
    suite.show_picture()
    suite.keep("picture")
    scroll_tall_picture(suite)
    suite.select("ap", "app.exe")
    suite.look("the program's icon at the pane's corner",
              lambda s: near(suite.pixel(s, *suite.pane_point(2, 2)), PURPLE, 8)
              and near(suite.pixel(s, *suite.pane_point(16, 16)), (255, 255, 0), 8))
    suite.keep("program-icon")
    suite.select("sj", "sjis.txt")
    # The text viewer's white page, not the notice of the file typed on the way ("s" selects
    # sheet.xls first), whose large dark letters alone would pass.
    shot = suite.look("the code page 932 text", lambda s: suite.dark_in_pane(s) > 150
                     and near(suite.pixel(s, *suite.pane_point(400, 150)), WHITE, 8))
    suite.keep("text-cp932")
    left, top, width, _ = suite.pane()
    text_area = (*suite.at(left + 2, top + 2), min(width - 4, 500), 60)
    cp932 = shot.region(*text_area)
    suite.select("u", "utf8.txt")
    shot = suite.look("the UTF-8 text, drawn as the same characters",
                     lambda s: same(suite, s.region(*text_area), cp932) > 0.99)
    suite.keep("text-utf8")
    suite.select("le", "letter.rtf")
    suite.look("the rich text in black and red",
              lambda s: suite.dark_in_pane(s) > 100 and suite.pane_count(s, RED, 60, 80) > 40)
    suite.keep("rich-text")
    (gif, gif_size), (jpeg, jpeg_size) = fixture.PAGE_GIF, fixture.PAGE_JPEG
    suite.select("pa", "page.htm")
    suite.look("the page with its GIF and JPEG pictures",
              lambda s: suite.pane_count(s, gif, 16) >= gif_size[0] * gif_size[1] * 0.95
              and suite.pane_count(s, jpeg, 40) >= jpeg_size[0] * jpeg_size[1] * 0.9)
    suite.keep("html")
    for prefix, name in (("dr", "drawing.emf"), ("drawing.w", "drawing.wmf")):
        reference = rendered(suite, name)
        suite.select(prefix, name)
        suite.look(f"{name} drawn as the renderer draws it",
                  lambda s: suite.matches_picture(s, reference, *suite.pane_point(0, 0)) > 0.97)
        suite.keep(name.replace(".", "-"))
    play_sound(suite)
    show_video(suite)


def band_at(suite, shot, x, y):
    """Which band of the tall picture the point shows, or None."""
    for index, colour in enumerate(fixture.TALL_BANDS):
        if near(suite.pixel(shot, x, y), colour, 8):
            return index
    return None


def scroll_tall_picture(suite):
    """A picture taller than the pane gets the pane's vertical scroll bar (10 pixels of it at
    the right edge); dragging its thumb to the end (twice: the first move still runs against
    the bar's old range) pans the picture until its bottom edge meets the pane's."""
    suite.select("ta", "tall.bmp")
    left, top, width, height = suite.pane()
    suite.look("the tall picture from its top, with the vertical bar",
              lambda s: band_at(suite, s, left + 20, top + 1) == 0
              and suite.count(s, left + width - 10, top, 10, height, FACE, 24) > height * 3)
    suite.keep("tall-picture")
    # The middle of the part of the bar that the pane shows.
    bar_left, bar_top, bar_width, bar_height = suite.rect("UScrollBarY")
    bar_x = (max(bar_left, left) + min(bar_left + bar_width, left + width)) // 2
    last = len(fixture.TALL_BANDS) - 1
    bottom = lambda s: band_at(suite, s, left + 20, top + height - 2)
    for _ in range(2):
        suite.drag(bar_x, bar_top + 20, bar_x, bar_top + bar_height + 40)
        try:
            suite.look("the picture's last band at the pane's bottom", lambda s: bottom(s) == last, timeout=3)
            break
        except Failure:
            continue
    shot = suite.look("the picture's last band at the pane's bottom, its first band gone",
                     lambda s: bottom(s) == last and band_at(suite, s, left + 20, top + 1) != 0)
    overflow = fixture.TALL_SIZE[1] - height
    suite.expect(band_at(suite, shot, left + 20, top + 1) == overflow // fixture.TALL_BAND_HEIGHT,
                f"the pane's top shows band {band_at(suite, shot, left + 20, top + 1)}, expected the band at "
                f"{overflow} pixels down")
    suite.keep("tall-picture-scrolled")


def same(suite, a, b):
    """The share of equal pixels of two pictures of one size."""
    equal = sum(1 for i in range(0, len(a.data), 3) if a.data[i:i + 3] == b.data[i:i + 3])
    return equal / (a.width * a.height)


def rendered(suite, name):
    """The picture as orvane-render draws it through the program's own picture loader."""
    out = os.path.join(suite.out, name + ".png")
    run(suite.render_path, os.path.join(suite.world.samples, name), out)
    return load_picture(out)


def play_sound(suite):
    """A sound of 2.5 seconds plays at once and the panel says so; at its end the panel waits
    again without the user."""
    suite.select("to", "tone.wav")
    suite.look("the sound playing", lambda s: suite.media_state(s) == "playing", timeout=15)
    suite.keep("sound-playing")
    started = time.monotonic()
    suite.look("the sound at its end", lambda s: suite.media_state(s) == "waiting", timeout=20)
    suite.keep("sound-ended")
    suite.expect(time.monotonic() - started > 1.0, "the sound ended long before its length")


def show_video(suite):
    """The video's test picture (colour bars, 160 x 120) is drawn into the pane, scaled to its
    height with its proportions kept, in the middle."""
    suite.select("c", "clip.avi")
    bars = ((235, 235, 12), (12, 235, 235), (235, 12, 235))
    shot = suite.look("the video's colour bars in the pane",
                     lambda s: all(suite.pane_count(s, bar, 40) > 800 for bar in bars), timeout=20)
    suite.keep("video")
    left, top, width, height = suite.pane()
    row = top + height // 3
    lit = [x for x in range(left + 3, left + width - 3) if sum(suite.pixel(shot, x, row)) > 90]
    expected_width = 160 * height // 120
    expected_left = left + (width - expected_width) // 2
    suite.expect(lit and abs(lit[0] - expected_left) <= 4 and abs(lit[-1] + 1 - lit[0] - expected_width) <= 4,
                f"the video spans x {lit[0] if lit else None}..{lit[-1] if lit else None}, expected "
                f"{expected_left} and {expected_width} wide")
