#!/usr/bin/python3
"""Scales of values, read by the real readers.

    function_readers.py programs MENSORA_CLI   rs274 (linuxcnc-uspace) reads the programs of
                                               the rs274, grbl and grbl-laser profiles
    function_readers.py drawings MENSORA_CLI   rsvg-convert (librsvg2-bin) renders the SVG
                                               drawings, ezdxf (python3-ezdxf) reads the DXF

Every mark of the slide rule's C and D and A and B scales, the logarithmic knob and the VU
meter face stands within 0.0005 mm of its exact place: value v of a scale of length (or total
angle) L over the values from..to at L (f(v) - f(from)) / (f(to) - f(from)) from its start
(from its far end when reversed; clockwise on a dial), on a dial at that angle on its radius.
The mark is a cut whose end on the scale's edge (its baseline, or a dial's radius) lies
there, each coordinate within 0.0005 mm, and exactly one cut does: each segment's first and last value stands once, where two
segments meet too. The values are worked out from the template as typed: each segment's
from + k step in exact decimals, the listed labels' values besides, and f from the law's own
formula; nothing is taken from mensora-cli's output but the file read. Exit status 0 when
every file passes, 1 on the first failure, 77 when a reader is missing.
"""

import json
import math
import os
import shutil
import sys
import xml.etree.ElementTree as ElementTree
from decimal import Decimal

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from job_readers import cut_ends, generate, svg_lines, template  # noqa: E402
from real_readers import Failure, interpret, run, run_checks  # noqa: E402

SKIP = 77
PLACED = 0.0005
TEMPLATES = ["slide-rule-cd.mensora", "slide-rule-ab.mensora", "knob-log-270.mensora",
             "vu-meter.mensora"]

LAWS = {
    "log": lambda v, p: math.log10(v),
    "power": lambda v, p: v ** p,
    "reciprocal": lambda v, p: 1 / v,
    "db": lambda v, p: 10 ** (v / 20),
    "db-power": lambda v, p: 10 ** (v / 10),
}


def scales_of(name):
    with open(template(name)) as f:
        job = json.load(f)
    return job["scales"] if "scales" in job else [job]


def decimal(number):
    """The decimal a JSON number was typed as."""
    return Decimal(repr(float(number)))


def values_of(scale):
    """Every value the scale marks: its segments' steps, and the listed labels' values."""
    spacing = scale["spacing"]
    segments = spacing.get("segments") or [
        {"from": spacing["from"], "to": spacing["to"], "step": float(scale["distance"])}]
    values = []
    for segment in segments:
        first, last, step = (decimal(segment[k]) for k in ("from", "to", "step"))
        count = (last - first) / step
        if count != count.to_integral_value():
            raise Failure(f"segment {first} to {last} is no whole number of steps of {step}")
        values += [first + k * step for k in range(int(count) + 1)]
    labels = scale.get("labels", {})
    if labels.get("style") == "list":
        values += [decimal(label["value"]) for label in labels["list"]]
    return sorted(set(values))


def segment_ends(scale):
    """Each segment's first and last value."""
    return sorted({decimal(s[k]) for s in scale["spacing"].get("segments", [])
                   for k in ("from", "to")})


def place(scale, value):
    """Where a value stands from the scale's start: a length, or an angle on a dial."""
    spacing = scale["spacing"]
    law = LAWS.get(spacing["law"])
    if law is None:
        raise Failure(f"no formula of the law {spacing['law']} here")
    p = spacing.get("exponent", 2)
    low, high = law(spacing["from"], p), law(spacing["to"], p)
    share = (law(float(value), p) - low) / (high - low)
    labels = scale.get("labels", {})
    if labels.get("reverse"):
        share = 1 - share
    along = float(scale["length"]) * share
    if scale["shape"] == "round" and labels.get("clockwise"):
        along = -along
    return along


def edge_point(scale, value):
    """The mark's end on the scale's edge, in millimetres."""
    x0, y0 = float(scale["startX"]), float(scale["startY"])
    along = place(scale, value)
    if scale["shape"] == "flat":
        return x0 + along, y0
    r = float(scale["radius"])
    angle = math.radians(float(scale["startAngle"]) + along)
    return x0 + r * math.cos(angle), y0 + r * math.sin(angle)


def check_marks(name, ends):
    """Each mark of every scale has exactly one cut end on its place."""
    grid = {}
    for x, y in ends:
        grid.setdefault((round(x, 2), round(y, 2)), []).append((x, y))
    marks = 0
    for index, scale in enumerate(scales_of(name)):
        if scale["unit"] != "mm":
            raise Failure(f"scale {index + 1} is not in millimetres")
        ends_of_segments = set(segment_ends(scale))
        for value in values_of(scale):
            x, y = edge_point(scale, value)
            near = [p for dx in (-0.01, 0, 0.01) for dy in (-0.01, 0, 0.01)
                    for p in grid.get((round(x + dx, 2), round(y + dy, 2)), [])]
            misses = [max(abs(px - x), abs(py - y)) for px, py in near]
            placed = sum(1 for miss in misses if miss <= PLACED + 1e-9)
            if placed != 1:
                nearest = min(misses, default=math.inf)
                raise Failure(f"scale {index + 1} value {value}: {placed} cut ends within "
                              f"{PLACED} of ({x:.5f}, {y:.5f}); nearest {nearest:.5f}")
            ends_of_segments.discard(value)
            marks += 1
        if ends_of_segments:
            raise Failure(f"scale {index + 1}: no mark at the segments' ends {ends_of_segments}")
    return marks


def check_program(cli, name, profile, folder):
    program = generate(cli, ["--scale", template(name), "--profile", profile], folder, "job.nc")
    calls = interpret(program, folder)
    marks = check_marks(name, cut_ends(calls))
    return f"{len(calls)} motions, {marks} marks in place"


def check_svg(cli, name, folder):
    drawing = generate(cli, ["--scale", template(name), "--format", "svg"], folder, "job.svg")
    rendered = run(["rsvg-convert", "-o", os.path.join(folder, "job.png"), drawing])
    if rendered.returncode != 0 or rendered.stderr.strip():
        raise Failure(f"rsvg-convert: {rendered.returncode} {rendered.stderr.strip()}")
    root = ElementTree.parse(drawing).getroot()
    if not root.get("width", "").endswith("mm"):
        raise Failure(f"the drawing's width {root.get('width')} is not in millimetres")
    # Y is written negated, as the machine sees it.
    ends = [end for x1, y1, x2, y2 in svg_lines(drawing) for end in ((x1, -y1), (x2, -y2))]
    return f"{check_marks(name, ends)} marks in place"


def check_dxf(cli, name, folder):
    import ezdxf
    drawing = generate(cli, ["--scale", template(name), "--format", "dxf"], folder, "job.dxf")
    document = ezdxf.readfile(drawing)
    if document.audit().has_errors:
        raise Failure("ezdxf finds errors")
    ends = [(point.x, point.y) for entity in document.modelspace().query("LINE")
            for point in (entity.dxf.start, entity.dxf.end)]
    return f"{check_marks(name, ends)} marks in place"


def checks(reader):
    if reader == "programs":
        return [(f"{profile} {name}", lambda cli, folder, name=name, profile=profile:
                 check_program(cli, name, profile, folder))
                for name in TEMPLATES for profile in ("rs274", "grbl", "grbl-laser")]
    return [(f"{kind} {name}", lambda cli, folder, name=name, check=check:
             check(cli, name, folder))
            for name in TEMPLATES for kind, check in (("svg", check_svg), ("dxf", check_dxf))]


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("programs", "drawings"):
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    missing = ["rs274"] if reader == "programs" and shutil.which("rs274") is None else []
    if reader == "drawings":
        if shutil.which("rsvg-convert") is None:
            missing.append("rsvg-convert")
        try:
            import ezdxf  # noqa: F401
        except ImportError:
            missing.append("ezdxf")
    if missing:
        print(f"{', '.join(missing)} not installed; skipping")
        return SKIP
    return run_checks(checks(reader), cli)


if __name__ == "__main__":
    sys.exit(main())
