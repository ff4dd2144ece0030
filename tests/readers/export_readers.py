#!/usr/bin/python3
"""Feeds the drawings mensora-cli exports to real readers and checks what they make of them.

    export_readers.py dxf MENSORA_CLI    ezdxf (python3-ezdxf) reads every DXF drawing
    export_readers.py svg MENSORA_CLI    rsvg-convert (librsvg2-bin) renders every SVG drawing,
                                         and an XML parse reads its groups

What the drawing should hold is worked out here from the G-code program mensora-cli writes for
the same scale and from the scale's own numbers: every cut a line from the point before it,
the base circle's arc counter-clockwise (a clockwise one from its end) on the scale's radius
over its total angle, a whole turn or more the whole circle in two halves. The first cuts are
the stripes (one each), then the baseline, then the numbers.

Exit status 0 when every scale passes, 1 on the first failure, 77 when the reader is missing
(CTest reports the test as skipped). Run with Debian's /usr/bin/python3, which sees
python3-ezdxf.
"""

import os
import re
import shutil
import struct
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from real_readers import (FLAT, NUMBERED, ROUND, Failure, has_baseline,  # noqa: E402
                          run, run_checks, words)

SKIP = 77
CLOSE = 1e-9
PARTS = ["stripes", "baseline", "numbers"]
ROUND_EXTRA = [
    ["--shape", "round", "--unit", "inch", "--radius", "1.5", "--stripe1", "0.5",
     "--stripe2", "0.25", "--stripe3", "0.125", "--baseline", "single"],
    ["--shape", "round", "--length", "360", "--distance", "90", "--radius", "0",
     "--baseline", "single"],
    ["--shape", "round", "--length", "400", "--distance", "10", "--baseline", "single"],
    ["--shape", "round", "--length", "0", "--baseline", "single"],
    ["--shape", "round", "--radius", "-20", "--start-angle", "30", "--baseline", "single"],
]
SCALES = FLAT + ROUND + ROUND_EXTRA + [flags for flags, _, _ in NUMBERED]


# ---- ours, from the G-code ------------------------------------------------------------------

def option(flags, name, default):
    return flags[flags.index(name) + 1] if name in flags else default


def single(value):
    """The value held in single precision, as the scale holds its total."""
    return struct.unpack("f", struct.pack("f", value))[0]


def arc_pieces(flags, start, end, centre):
    """The counter-clockwise arcs of the base circle: (from, to, centre, radius, a0, a1). The
    circle is the scale's own (radius, start angle, total angle); its ends and its centre are
    the program's. A whole turn or more is the whole circle in two halves; a total of 0 or a
    radius of 0 draws nothing."""
    radius = float(option(flags, "--radius", "30"))
    a0 = float(option(flags, "--start-angle", "0")) + (180.0 if radius < 0 else 0.0)
    sweep = single(float(option(flags, "--length", "100")))
    if radius == 0 or sweep == 0:
        return []
    cx, cy = centre
    if abs(sweep) >= 360:
        opposite = (2 * cx - start[0], 2 * cy - start[1])
        half = (a0 + 180.0) % 360.0
        return [(start, opposite, centre, abs(radius), a0 % 360.0, half),
                (opposite, start, centre, abs(radius), half, a0 % 360.0)]
    if sweep < 0:
        start, end, a0, sweep = end, start, a0 + sweep, -sweep
    return [(start, end, centre, abs(radius), a0 % 360.0, (a0 + sweep) % 360.0)]


def expected_pieces(cli, flags):
    """Every part's lines and arcs, from the scale's G-code program."""
    program = run([cli, *flags, "--format", "gcode"])
    sequence = run([cli, *flags, "--format", "gcode", "--sequence"])
    if program.returncode != 0 or sequence.returncode != 0:
        raise Failure(f"mensora-cli exited {program.returncode}: {program.stderr.strip()}")
    stripes = len(sequence.stdout.strip())
    baselines = 1 if has_baseline(flags) else 0
    parts = {part: {"lines": [], "arcs": []} for part in PARTS}
    at = None
    cuts = 0
    for line in program.stdout.splitlines():
        w = words(line.split(" ", 1)[1])
        if "M" in w:
            continue
        to = (float(w.get("X", at[0] if at else 0)), float(w.get("Y", at[1] if at else 0)))
        if w["G"] == "0" or ("X" not in w and "Y" not in w):
            at = to if w["G"] == "0" and ("X" in w or "Y" in w) else at
            continue
        part = PARTS[0] if cuts < stripes else PARTS[1] if cuts < stripes + baselines \
            else PARTS[2]
        cuts += 1
        if w["G"] == "1":
            parts[part]["lines"].append((at, to))
        else:
            centre = (float(w["I"]), float(w["J"]))
            parts[part]["arcs"] += arc_pieces(flags, at, to, centre)
        at = to
    return parts


def near(a, b):
    return abs(a - b) <= CLOSE


def near_angle(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0) <= CLOSE


def same_points(got, want, what):
    if not all(near(g, w) for g, w in zip(got, want)):
        raise Failure(f"{what}: read {got}, ours {want}")


def unit_of(flags):
    return "inch" if "--unit" in flags and flags[flags.index("--unit") + 1] == "inch" else "mm"


# ---- DXF ------------------------------------------------------------------------------------

def check_dxf(cli, flags, folder):
    import ezdxf
    path = os.path.join(folder, "scale.dxf")
    made = run([cli, *flags, "--format", "dxf", "-o", path])
    if made.returncode != 0:
        raise Failure(f"mensora-cli exited {made.returncode}: {made.stderr.strip()}")
    document = ezdxf.readfile(path)
    auditor = document.audit()
    if auditor.has_errors:
        raise Failure("ezdxf's audit: " + " | ".join(e.message for e in auditor.errors))
    if document.dxfversion != "AC1015":
        raise Failure(f"version {document.dxfversion}")
    insunits = document.header.get("$INSUNITS")
    if insunits != (1 if unit_of(flags) == "inch" else 4):
        raise Failure(f"$INSUNITS {insunits} for {unit_of(flags)}")
    # Readers that take the unit from $MEASUREMENT (0 inch, 1 metric) find the same one;
    # ezdxf's own default stands in for a missing one.
    if "$MEASUREMENT" not in document.header:
        raise Failure("no $MEASUREMENT in the header")
    measurement = document.header.get("$MEASUREMENT")
    if measurement != (0 if unit_of(flags) == "inch" else 1):
        raise Failure(f"$MEASUREMENT {measurement} for {unit_of(flags)}")

    read = {part: {"lines": [], "arcs": []} for part in PARTS}
    for entity in document.modelspace():
        part = entity.dxf.layer.lower()
        if part not in read or entity.dxftype() not in ("LINE", "ARC"):
            raise Failure(f"{entity.dxftype()} on the layer {entity.dxf.layer}")
        read[part]["lines" if entity.dxftype() == "LINE" else "arcs"].append(entity)

    ours = expected_pieces(cli, flags)
    counts = []
    for part in PARTS:
        lines, arcs = read[part]["lines"], read[part]["arcs"]
        want_lines, want_arcs = ours[part]["lines"], ours[part]["arcs"]
        if len(lines) != len(want_lines) or len(arcs) != len(want_arcs):
            raise Failure(f"{part.upper()}: {len(lines)} lines and {len(arcs)} arcs read, "
                          f"ours {len(want_lines)} and {len(want_arcs)}")
        for entity, (start, end) in zip(lines, want_lines):
            got = [*entity.dxf.start, *entity.dxf.end]
            same_points(got, [*start, 0.0, *end, 0.0], f"LINE {entity.dxf.handle}")
        for entity, (_, _, centre, radius, a0, a1) in zip(arcs, want_arcs):
            same_points([*entity.dxf.center, entity.dxf.radius], [*centre, 0.0, radius],
                        f"ARC {entity.dxf.handle}")
            if not (near_angle(entity.dxf.start_angle, a0) and near_angle(entity.dxf.end_angle, a1)):
                raise Failure(f"ARC {entity.dxf.handle}: angles {entity.dxf.start_angle} to "
                              f"{entity.dxf.end_angle}, ours {a0} to {a1}")
        counts.append(f"{part.upper()} {len(lines)}+{len(arcs)}")
    return f"{', '.join(counts)}; audit: 0 errors, {len(auditor.fixes)} fixes"


# ---- SVG ------------------------------------------------------------------------------------

SVG = "{http://www.w3.org/2000/svg}"
PATH = re.compile(r"M(\S+) (\S+)A(\S+) (\S+) 0 ([01]) ([01]) (\S+) (\S+)")
LENGTH = re.compile(r"([0-9.]+)(mm|in)")


def render(path, width, height, unit, folder):
    """rsvg-convert at a resolution that keeps the picture within 4000 pixels a side."""
    inches = max(width, height) / (25.4 if unit == "mm" else 1.0)
    dpi = min(96.0, 4000.0 / inches) if inches > 0 else 96.0
    done = run(["rsvg-convert", "--dpi-x", str(dpi), "--dpi-y", str(dpi), "-o",
                os.path.join(folder, "scale.png"), path])
    if done.returncode != 0 or done.stderr.strip():
        raise Failure(f"rsvg-convert exited {done.returncode}: {done.stderr.strip()}")


def check_svg(cli, flags, folder):
    path = os.path.join(folder, "scale.svg")
    made = run([cli, *flags, "--format", "svg", "-o", path])
    if made.returncode != 0:
        raise Failure(f"mensora-cli exited {made.returncode}: {made.stderr.strip()}")
    root = ElementTree.parse(path).getroot()
    width, height = LENGTH.fullmatch(root.get("width")), LENGTH.fullmatch(root.get("height"))
    unit = "in" if unit_of(flags) == "inch" else "mm"
    if not width or not height or width.group(2) != unit or height.group(2) != unit:
        raise Failure(f"size {root.get('width')} by {root.get('height')}, unit {unit}")
    box = [float(v) for v in root.get("viewBox").split()]
    if box[2:] != [float(width.group(1)), float(height.group(1))]:
        raise Failure(f"viewBox {box} and size {width.group(0)} by {height.group(0)} differ")
    render(path, box[2], box[3], unit, folder)

    groups = [g for g in root if g.tag == SVG + "g"]
    if [g.get("id") for g in groups] != PARTS or len(groups) != len(root):
        raise Failure(f"the drawing holds {[g.get('id') or g.tag for g in root]}")
    ours = expected_pieces(cli, flags)
    counts = []
    for group in groups:
        part = group.get("id")
        lines = [e for e in group if e.tag == SVG + "line"]
        arcs = [e for e in group if e.tag == SVG + "path"]
        want_lines, want_arcs = ours[part]["lines"], ours[part]["arcs"]
        if len(lines) + len(arcs) != len(group) or len(lines) != len(want_lines) \
                or len(arcs) != len(want_arcs):
            raise Failure(f"group {part}: {len(lines)} lines and {len(arcs)} arcs read, ours "
                          f"{len(want_lines)} and {len(want_arcs)}")
        for element, (start, end) in zip(lines, want_lines):
            got = [float(element.get(a)) for a in ("x1", "y1", "x2", "y2")]
            # Y is written negated.
            same_points(got, [start[0], -start[1], end[0], -end[1]], f"{part} line")
            check_inside(box, got)
        for element, (start, end, _, radius, a0, a1) in zip(arcs, want_arcs):
            m = PATH.fullmatch(element.get("d"))
            if not m:
                raise Failure(f"{part} path {element.get('d')}")
            got = [float(v) for v in m.group(1, 2, 3, 4, 7, 8)]
            same_points(got, [start[0], -start[1], radius, radius, end[0], -end[1]],
                        f"{part} arc")
            large = "1" if (a1 - a0) % 360.0 > 180.0 else "0"
            if m.group(5) != large or m.group(6) != "0":
                raise Failure(f"{part} arc flags {m.group(5)} {m.group(6)}, ours {large} 0")
            check_inside(box, got[:2] + got[4:])
        counts.append(f"{part} {len(lines)}+{len(arcs)}")
    return f"{', '.join(counts)}; rendered without a word"


def check_inside(box, coordinates):
    for x, y in zip(coordinates[0::2], coordinates[1::2]):
        if not (box[0] <= x <= box[0] + box[2] and box[1] <= y <= box[1] + box[3]):
            raise Failure(f"({x}, {y}) lies outside the viewBox {box}")


# ---- driver ---------------------------------------------------------------------------------

def reader_missing(reader):
    if reader == "svg":
        return shutil.which("rsvg-convert") is None
    try:
        import ezdxf  # noqa: F401
    except ImportError:
        return True
    return False


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("dxf", "svg"):
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    if reader_missing(reader):
        print(f"the {reader} reader is not installed; skipping")
        return SKIP
    check = check_dxf if reader == "dxf" else check_svg
    return run_checks([(' '.join(flags) or '(defaults)',
                        lambda cli, folder, flags=flags: check(cli, flags, folder))
                       for flags in SCALES], cli)


if __name__ == "__main__":
    sys.exit(main())
