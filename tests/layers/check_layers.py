#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer above its own.

The layers are listed at the top of src/CMakeLists.txt; this table must
match it. The core (layers below controls) never includes a Qt header.
"""
import pathlib
import re
import sys

LAYERS = {
    "platform": 0, "settings": 1, "lang": 2, "buttons": 3, "macros": 4, "device": 5,
    "profiles": 6, "usecases": 7, "cli": 8,
    "controls": 9, "platform/qt": 9, "pages": 10, "app": 11,
}
QT_FLOOR = LAYERS["controls"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def layer_of(relative: str):
    parts = relative.split("/")
    if len(parts) > 2 and "/".join(parts[:2]) in LAYERS:
        return "/".join(parts[:2])
    return parts[0] if parts[0] in LAYERS else None


def main(src: pathlib.Path) -> int:
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        own = layer_of(relative)
        if own is None:
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if LAYERS[own] < QT_FLOOR and re.match(r"Q[A-Za-z]+$|Qt[A-Za-z]*/", included):
                problems.append(f"{relative}: the core includes the Qt header <{included}>")
            target = layer_of(included)
            if target is None or target == own:
                continue
            if LAYERS[target] > LAYERS[own]:
                problems.append(f"{relative}: {own} (layer {LAYERS[own]}) includes {included} "
                                f"of {target} (layer {LAYERS[target]})")
            elif LAYERS[target] == LAYERS[own]:
                problems.append(f"{relative}: {own} includes {included} of {target}, a folder of the same layer")
    for line in problems:
        print(line)
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1])))
