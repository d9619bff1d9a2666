"""The viewer below the list: a PNG picture, a PDF document and an MP3 sound."""

from desktop import near
import fixture


def show_types_of_today(suite):
    """The user shows a PNG picture, a PDF document and an MP3 sound below the list: the picture
    at the pane's corner as a BMP would be, the document's first page as wide as the pane (less
    the vertical bar's part of it), and the sound playing in the media panel."""
    suite.step_name = "today"
    suite.select("ba", "bands.png")
    bands = fixture.BANDS
    suite.look("the PNG's bands at the pane's corner",
              lambda s: all(near(suite.pixel(s, *suite.pane_point(20, fixture.BAND_HEIGHT * i + 5)), colour, 8)
                            for i, colour in enumerate(bands))
              and not near(suite.pixel(s, *suite.pane_point(45, 5)), bands[0], 60))
    suite.keep("png")
    suite.select("f", "form.pdf")
    left, top, width, height = suite.pane()
    page_width = width - 10
    page_height = page_width // 2
    red, blue = bands[0], bands[2]
    checks = [(page_width // 2, 5, red), (page_width - 4, 5, red)]
    if page_height * 3 // 4 < height - 12:
        checks.append((page_width // 2, page_height * 3 // 4, blue))
    suite.look("the PDF page as wide as the pane",
              lambda s: all(near(suite.pixel(s, *suite.pane_point(x, y)), colour, 24) for x, y, colour in checks)
              and not near(suite.pixel(s, *suite.pane_point(page_width + 3, 5)), red, 60))
    suite.keep("pdf")
    suite.select("m", "music.mp3")
    suite.look("the MP3 playing", lambda s: suite.media_state(s) == "playing", timeout=15)
    suite.keep("mp3-playing")
    suite.look("the MP3 at its end", lambda s: suite.media_state(s) == "waiting", timeout=20)
