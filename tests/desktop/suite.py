#!/usr/bin/env python3
"""The desktop suite: the real orvane on an X display with a window manager, driven with the mouse
and the keyboard the way a user works with it, one module of steps/ per user step, run here in
their order. Each step waits for what it must bring about, keeps a screenshot in the artefact
folder and checks on it what must be there: colours at places of the program's named controls,
window geometry, the files the program writes. helpers.py holds what the steps share.

    suite.py --orvane PATH --test-window PATH --render PATH --source DIR --out DIR [--steps A,B]

Runs on the display of $DISPLAY, which must have a window manager (with-wm.sh starts one).
"""

import argparse
import importlib
import os
import sys
import time
import traceback

sys.dont_write_bytecode = True  # no __pycache__ beside the suite in the source tree

from desktop import Failure, grab
from helpers import Session

# The steps in their order; each is steps/NAME.py with its function NAME. The first starts the
# program and always runs; --steps picks among the others by these names.
STEPS = ("start_program", "pick_drive_and_folder", "sort_by_each_key", "menus_by_hover_and_click",
         "switch_list_styles", "show_each_kind", "show_types_of_today", "japanese_text_and_a_new_file",
         "switch_arrangements", "drag_doors_and_grips", "keyboard", "change_settings", "capture_application",
         "close_program")


def step_function(name):
    return getattr(importlib.import_module("steps." + name), name)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--orvane", required=True)
    parser.add_argument("--test-window", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--render", required=True)
    parser.add_argument("--steps", help="comma-separated step names to run after the start (for a quick look)")
    args = parser.parse_args()
    os.makedirs(os.path.join(args.out, "shots"), exist_ok=True)
    for old in os.listdir(os.path.join(args.out, "shots")):
        os.remove(os.path.join(args.out, "shots", old))
    names = list(STEPS)
    if args.steps:
        wanted = args.steps.split(",")
        unknown = [name for name in wanted if name not in STEPS]
        if unknown:
            parser.error(f"no step {', '.join(unknown)}; the steps are {', '.join(STEPS)}")
        names = [names[0]] + [name for name in names[1:] if name in wanted]
    steps = [step_function(name) for name in names]
    suite = Session(args)
    started = time.monotonic()
    try:
        for step in steps:
            begun = time.monotonic()
            step(suite)
            print(f"ok   {step.__name__} ({time.monotonic() - begun:.1f} s)", flush=True)
    except Exception as error:
        print(f"FAIL {suite.step_name}: {error}", flush=True)
        if not isinstance(error, Failure):
            traceback.print_exc()
        try:
            grab().save(os.path.join(suite.shots, f"failed-{suite.step_name}.png"))
        except Exception:
            pass
        return 1
    finally:
        if suite.process and suite.process.poll() is None:
            suite.process.kill()
            suite.process.wait()
    print(f"{len(steps)} passed, 0 failed ({time.monotonic() - started:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
