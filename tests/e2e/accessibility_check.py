#!/usr/bin/python3
"""What a screen-reader user and a keyboard-only user meet in the window.

  accessibility_check.py TRACE WINDOW_ID

Through AT-SPI: the window is a frame named by its title; every control a
Tab can reach is named; the sliders carry values. Then, with key presses
only: Tab to the DPI section's title, Space opens it, Tab to stage 3's
slider, End moves it to its top, Tab to Apply, Space applies, and the
emulated mouse's trace shows stage 3 at its highest code.
"""
import subprocess
import sys
import time

import pyatspi

trace, window = sys.argv[1], sys.argv[2]


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    time.sleep(0.25)


def find_frame():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            for child in app:
                if child is not None and child.name == "QV530-10800rad":
                    return child
        time.sleep(0.2)
    fail("no accessible window named QV530-10800rad")


def descendants(node):
    out = []
    for child in node:
        if child is None:
            continue
        out.append(child)
        out.extend(descendants(child))
    return out


def showing_focusable(frame):
    result = []
    for obj in descendants(frame):
        states = obj.getState()
        if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
            result.append(obj)
    return result


def focused(frame):
    for obj in showing_focusable(frame):
        if obj.getState().contains(pyatspi.STATE_FOCUSED):
            return obj
    return None


def tab_to(frame, wanted, limit=80):
    """Tab until the focused control satisfies wanted(obj)."""
    for _ in range(limit):
        key("Tab")
        obj = focused(frame)
        if obj is not None and wanted(obj):
            return obj
    fail("Tab never reached the control looked for")


frame = find_frame()
if frame.getRole() != pyatspi.ROLE_FRAME:
    fail("the window is a %s, not a frame" % frame.getRoleName())
print("ok: the window is a frame named by its title")


# Containers a click focuses (the panel, its pages, for their scrolling and
# shortcut keys) are no controls of their own; Tab passes them by.
CONTAINERS = (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL)


def check_names(where):
    unnamed = [o.getRoleName() for o in showing_focusable(frame)
               if not o.name.strip() and o.getRole() not in CONTAINERS]
    if unnamed:
        fail("%s: %d reachable controls without a name: %s" % (where, len(unnamed), ", ".join(unnamed)))


check_names("first screen")
print("ok: every reachable control on the first screen is named")

# Keyboard only from here: the focus starts nowhere in particular.
title = tab_to(frame, lambda o: o.name == "DPI Setting")
if not title.getState().contains(pyatspi.STATE_COLLAPSED):
    fail("the closed DPI section's title does not say collapsed")
key("space")
if not title.getState().contains(pyatspi.STATE_EXPANDED):
    fail("Space on the DPI section's title did not open it")
print("ok: Space opens the DPI section; its title says expanded")

check_names("DPI section open")
sliders = [o for o in showing_focusable(frame) if o.getRole() == pyatspi.ROLE_SLIDER]
if len(sliders) < 7:
    fail("only %d sliders with the DPI section open" % len(sliders))
for slider in sliders:
    value = slider.queryValue()
    if not (value.minimumValue <= value.currentValue <= value.maximumValue) or value.maximumValue <= value.minimumValue:
        fail("slider %s has no sensible value (%s in %s..%s)"
             % (slider.name, value.currentValue, value.minimumValue, value.maximumValue))
print("ok: %d named sliders with values" % len(sliders))

stage = tab_to(frame, lambda o: o.getRole() == pyatspi.ROLE_SLIDER and o.name.endswith("3"))
key("End")
value = stage.queryValue()
if value.currentValue != value.maximumValue:
    fail("End left stage 3 at %s (maximum %s)" % (value.currentValue, value.maximumValue))
if stage.description != "10800 DPI":
    fail("stage 3 shows %r, not 10800 DPI" % stage.description)
print("ok: End moves stage 3 to 10800 DPI")

tab_to(frame, lambda o: o.name == "Apply" and o.getRole() == pyatspi.ROLE_PUSH_BUTTON)
key("space")
for _ in range(300):
    try:
        with open(trace) as f:
            if any(line.startswith("a11d set-feature 00 07 00 ff 0b 17 b3 47 ") for line in f):
                break
    except FileNotFoundError:
        pass
    time.sleep(0.1)
else:
    fail("Apply by keyboard did not send stage 3 at code 180")
print("ok: Apply by keyboard sent stage 3 at its top to the mouse")
