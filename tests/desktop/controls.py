"""Where the running orvane's controls are, by their names: the program's components keep the
names they have in the program (PanelFile, ListView1, CenterDoor), and the suite finds a control
by its name instead of by a place on the screen, the way an accessibility tool would.

Qt's accessibility bridge of this Qt (6.4) publishes no widget's object name (its AT-SPI
objects have no AccessibleId), so the program answers a small file request instead, and only
when the environment variable ORVANE_CONTROL_MAP names the file (qt/ControlMap.h): the suite
writes FILE.ask, the program removes it and writes FILE with one line per named control,

    FORM.CONTROL WINDOW LEFT TOP WIDTH HEIGHT SHOWN

the place being within the client area of the control's top-level window.
"""

import os
from collections import namedtuple

from desktop import Failure, wait_until

Control = namedtuple("Control", "window x y w h shown")


class ControlMap:
    def __init__(self, path):
        self.path = path

    def environment(self):
        return {"ORVANE_CONTROL_MAP": self.path}

    def read(self):
        """Asks the program for its controls now; a dictionary by FORM.CONTROL."""
        try:
            os.remove(self.path)
        except FileNotFoundError:
            pass
        with open(self.path + ".ask.part", "w") as ask:
            ask.write("where\n")
        os.replace(self.path + ".ask.part", self.path + ".ask")
        text = wait_until("the program's map of its named controls", self.answer, timeout=10, interval=0.02)
        controls = {}
        for line in text.splitlines():
            fields = line.split()
            if len(fields) != 7:
                raise Failure(f"the map of controls has the line {line!r}")
            window, x, y, w, h, shown = (int(f) for f in fields[1:])
            controls[fields[0]] = Control(str(window), x, y, w, h, shown == 1)
        return controls

    def answer(self):
        try:
            with open(self.path) as answer:
                return answer.read() or None
        except FileNotFoundError:
            return None
