#!/usr/bin/env python3
"""Checks that no include of ours runs back up a floor.

    include_floors.py SRC_DIR

The folders of src/ are floors, lowest first; a file may include from its own floor and from
the floors below it. The core floors include no Qt header. Exit status 1 names every include
that breaks the order.
"""

import os
import re
import sys

FLOORS = ["model", "lettering", "toolpath", "layout", "writers", "engraving", "preview", "files",
          "document", "ui", "cli", "app"]
# The two shells stand side by side: neither includes the other.
BESIDE = {("ui", "cli"), ("cli", "ui")}
CORE = FLOORS[:FLOORS.index("preview") + 1]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def main(src):
    faults = []
    for floor in FLOORS:
        folder = os.path.join(src, floor)
        for root, _, names in os.walk(folder):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(root, name)
                with open(path, encoding="utf-8") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = match.group(1)
                        top = target.split("/")[0]
                        where = f"{os.path.relpath(path, src)}:{number}: {target}"
                        if floor in CORE and (top.startswith("Q") or top.startswith("q")):
                            faults.append(f"{where} (a Qt header in the core)")
                        if top not in FLOORS:
                            continue
                        if FLOORS.index(top) > FLOORS.index(floor) or (floor, top) in BESIDE:
                            faults.append(f"{where} (from a floor above)")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
