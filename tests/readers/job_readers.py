#!/usr/bin/python3
"""Jobs of several scales, read by the real readers.

    job_readers.py places MENSORA_CLI   rs274 (linuxcnc-uspace) reads the caliper, protractor
                                        and dual-unit programs
    job_readers.py mirror MENSORA_CLI   rs274, rsvg-convert (librsvg2-bin) and ezdxf
                                        (python3-ezdxf) read mirrored jobs

places  The two calipers and the bevel protractor under rs274, and the dual-unit ruler under
        rs274 and grbl, are read exactly as written, and every stripe of every scale has a cut
        whose end on its baseline's edge lies within 0.0005 mm of its exact place: stripe k of a
        scale of distance d at k d from its start, of a vernier of n divisions over m at
        k m d / n (from -m d on both sides of zero), on a dial at that angle on its radius, and
        in the first scale's unit (an inch scale beside millimetres at k 25.4 / 16 mm).
mirror  The mirrored programs and drawings of the dual-unit ruler and the protractor are read,
        and each is the unmirrored one turned about one vertical line: every X becomes S - X
        for one S, Y stays, and every arc turns the other way.

Every expected place comes from the template's own numbers (its box texts and vernier); the
stripe counts come from mensora-cli --select N --sequence. Exit status 0 when every file passes,
1 on the first failure, 77 when a reader is missing.
"""

import json
import math
import os
import shutil
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from real_readers import Failure, interpret, run, run_checks  # noqa: E402

SKIP = 77
TEMPLATES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "templates")
PLACED = 0.0005
CALIPERS = ["caliper-0.1mm.mensora", "caliper-0.02mm.mensora"]
PROTRACTOR = "protractor-bevel-5min.mensora"
DUAL_UNIT = "ruler-150mm-6in.mensora"


def template(name):
    return os.path.join(TEMPLATES, name)


def scales_of(name):
    with open(template(name)) as f:
        job = json.load(f)
    return job["scales"] if "scales" in job else [job]


def number(text):
    return float(text)


def generate(cli, flags, folder, name):
    path = os.path.join(folder, name)
    made = run([cli, *flags, "-o", path])
    if made.returncode != 0:
        raise Failure(f"mensora-cli exited {made.returncode}: {made.stderr.strip()}")
    return path


def stripe_count(cli, name, index):
    done = run([cli, "--scale", template(name), "--select", str(index + 1), "--sequence"])
    if done.returncode != 0:
        raise Failure(f"--sequence of scale {index + 1} exited {done.returncode}")
    return len(done.stdout.strip())


# ---- where the stripes belong ---------------------------------------------------------------

def offsets(scale, count):
    """Where each stripe stands from the scale's start, in its unit (a dial's in degrees)."""
    d = number(scale["distance"])
    vernier = scale.get("vernier")
    if not vernier:
        return [k * d for k in range(count)]
    n, m = vernier["divisions"], vernier["mainDivisions"]
    first = -n if vernier.get("bothSides") else 0
    return [(first + i) * m * d / n for i in range(count)]


def factor(scale, file_unit):
    if scale["unit"] == file_unit:
        return 1.0
    return 25.4 if scale["unit"] == "inch" else 1 / 25.4


def edge_points(scale, count, file_unit):
    """The end of every stripe on its baseline's edge, in the file's unit."""
    f = factor(scale, file_unit)
    x0, y0 = number(scale["startX"]), number(scale["startY"])
    if scale["shape"] == "flat":
        return [((x0 + t) * f, y0 * f) for t in offsets(scale, count)]
    r = number(scale["radius"])
    a0 = number(scale["startAngle"])
    return [((x0 + r * math.cos(math.radians(a0 + t))) * f,
             (y0 + r * math.sin(math.radians(a0 + t))) * f) for t in offsets(scale, count)]


def cut_ends(calls):
    """Both ends of every straight cut rs274 feeds along (plunges aside)."""
    ends = []
    at = None
    for _, kind, args in calls:
        point = args[:3]
        if kind == "STRAIGHT_FEED" and at is not None and point[:2] != at[:2]:
            ends += [tuple(at[:2]), tuple(point[:2])]
        at = point if kind != "ARC_FEED" else args[:2] + [args[5]]
    return ends


def check_places(cli, name, flags, folder):
    scales = scales_of(name)
    program = generate(cli, ["--scale", template(name), *flags], folder, "job.ngc")
    calls = interpret(program, folder)
    # A grid of every cut's ends, a hundredth apart, to find the one near a place.
    grid = {}
    for x, y in cut_ends(calls):
        grid.setdefault((round(x, 2), round(y, 2)), []).append((x, y))
    file_unit = scales[0]["unit"]
    placed = 0
    for index, scale in enumerate(scales):
        count = stripe_count(cli, name, index)
        for k, (x, y) in enumerate(edge_points(scale, count, file_unit)):
            near = [p for dx in (-0.01, 0, 0.01) for dy in (-0.01, 0, 0.01)
                    for p in grid.get((round(x + dx, 2), round(y + dy, 2)), [])]
            miss = min((math.hypot(px - x, py - y) for px, py in near), default=math.inf)
            if miss > PLACED:
                raise Failure(f"scale {index + 1} stripe {k}: no cut ends within {PLACED} of "
                              f"({x:.5f}, {y:.5f}); nearest {miss:.5f}")
            placed += 1
    return f"{len(calls)} motions, {placed} stripes in place"


def places_checks():
    runs = [(name, ["--profile", "rs274"]) for name in [*CALIPERS, PROTRACTOR]]
    runs += [(DUAL_UNIT, ["--profile", profile]) for profile in ("rs274", "grbl")]
    return [(f"{flags[1]} {name}",
             lambda cli, folder, name=name, flags=flags: check_places(cli, name, flags, folder))
            for name, flags in runs]


# ---- mirrored -------------------------------------------------------------------------------

class Axis:
    """The one S that every mirrored X pairs with: S = X' + X."""

    def __init__(self, tolerance):
        self.sum = None
        self.tolerance = tolerance
        self.pairs = 0

    def pair(self, x, mirrored, where):
        total = x + mirrored
        if self.sum is None:
            self.sum = total
        elif abs(total - self.sum) > self.tolerance:
            raise Failure(f"{where}: X {x} mirrored to {mirrored}, not about {self.sum / 2}")
        self.pairs += 1


def same(a, b, tolerance, where):
    if abs(a - b) > tolerance:
        raise Failure(f"{where}: {a} became {b}")


def check_mirrored_program(cli, name, folder):
    flags = ["--scale", template(name), "--profile", "rs274"]
    plain = interpret(generate(cli, flags, folder, "plain.ngc"), folder)
    turned = interpret(generate(cli, [*flags, "--mirror"], folder, "turned.ngc"), folder)
    if len(plain) != len(turned):
        raise Failure(f"{len(turned)} motions mirrored, {len(plain)} not")
    axis = Axis(0.0002)
    arcs = 0
    # The rise to the safe height before the first travel stays where the machine started.
    while plain and turned and plain[0][2][:2] == [0, 0] and turned[0][2][:2] == [0, 0]:
        plain, turned = plain[1:], turned[1:]
    for (label, kind, a), (_, kind2, b) in zip(plain, turned):
        if kind != kind2:
            raise Failure(f"N{label}: {kind} became {kind2}")
        axis.pair(a[0], b[0], f"N{label}")
        same(a[1], b[1], 0.0001, f"N{label} Y")
        if kind == "ARC_FEED":
            arcs += 1
            axis.pair(a[2], b[2], f"N{label} centre")
            same(a[3], b[3], 0.0001, f"N{label} centre Y")
            if a[4] != -b[4]:
                raise Failure(f"N{label}: the arc turns the same way mirrored")
        else:
            same(a[2], b[2], 0.0001, f"N{label} Z")
    return f"{len(plain)} motions about X {axis.sum / 2:.4f}, {arcs} arcs turned"


def svg_lines(path):
    root = ElementTree.parse(path).getroot()
    return [tuple(float(e.get(k)) for k in ("x1", "y1", "x2", "y2"))
            for e in root.iter("{http://www.w3.org/2000/svg}line")]


def check_mirrored_svg(cli, name, folder):
    flags = ["--scale", template(name), "--format", "svg"]
    plain = generate(cli, flags, folder, "plain.svg")
    turned = generate(cli, [*flags, "--mirror"], folder, "turned.svg")
    rendered = run(["rsvg-convert", "-o", os.path.join(folder, "turned.png"), turned])
    if rendered.returncode != 0 or rendered.stderr.strip():
        raise Failure(f"rsvg-convert: {rendered.returncode} {rendered.stderr.strip()}")
    a, b = svg_lines(plain), svg_lines(turned)
    if len(a) != len(b) or not a:
        raise Failure(f"{len(b)} lines mirrored, {len(a)} not")
    axis = Axis(1e-6)
    for i, (p, q) in enumerate(zip(a, b)):
        axis.pair(p[0], q[0], f"line {i}")
        axis.pair(p[2], q[2], f"line {i}")
        same(p[1], q[1], 1e-9, f"line {i} y1")
        same(p[3], q[3], 1e-9, f"line {i} y2")
    return f"{len(a)} lines about x {axis.sum / 2:.4f}"


def check_mirrored_dxf(cli, name, folder):
    import ezdxf
    flags = ["--scale", template(name), "--format", "dxf"]
    drawings = []
    for file, extra in (("plain.dxf", []), ("turned.dxf", ["--mirror"])):
        document = ezdxf.readfile(generate(cli, [*flags, *extra], folder, file))
        auditor = document.audit()
        if auditor.has_errors:
            raise Failure(f"ezdxf finds errors in {file}: {auditor.errors}")
        drawings.append(list(document.modelspace()))
    a, b = drawings
    if len(a) != len(b) or not a:
        raise Failure(f"{len(b)} entities mirrored, {len(a)} not")
    axis = Axis(1e-6)
    arcs = 0
    for i, (p, q) in enumerate(zip(a, b)):
        if p.dxftype() != q.dxftype() or p.dxf.layer != q.dxf.layer:
            raise Failure(f"entity {i}: {p.dxftype()} on {p.dxf.layer} became {q.dxftype()}")
        if p.dxftype() == "LINE":
            for end in ("start", "end"):
                axis.pair(getattr(p.dxf, end).x, getattr(q.dxf, end).x, f"line {i}")
                same(getattr(p.dxf, end).y, getattr(q.dxf, end).y, 1e-9, f"line {i}")
        else:
            arcs += 1
            axis.pair(p.dxf.center.x, q.dxf.center.x, f"arc {i}")
            same(p.dxf.radius, q.dxf.radius, 1e-9, f"arc {i} radius")
            # Counter-clockwise either way: the mirror runs from 180 - end to 180 - start.
            for angle, mirrored in ((p.dxf.start_angle, q.dxf.end_angle),
                                    (p.dxf.end_angle, q.dxf.start_angle)):
                off = (angle + mirrored - 180) % 360
                if min(off, 360 - off) > 1e-6:
                    raise Failure(f"arc {i}: angle {angle} mirrored to {mirrored}")
    return f"{len(a)} entities about x {axis.sum / 2:.4f}, {arcs} arcs"


def mirror_checks():
    checks = []
    for name in (DUAL_UNIT, PROTRACTOR):
        checks += [(f"rs274 mirrored {name}",
                    lambda cli, folder, name=name: check_mirrored_program(cli, name, folder)),
                   (f"svg mirrored {name}",
                    lambda cli, folder, name=name: check_mirrored_svg(cli, name, folder)),
                   (f"dxf mirrored {name}",
                    lambda cli, folder, name=name: check_mirrored_dxf(cli, name, folder))]
    return checks


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("places", "mirror"):
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    needed = ["rs274"] + (["rsvg-convert"] if reader == "mirror" else [])
    missing = [program for program in needed if shutil.which(program) is None]
    if reader == "mirror":
        try:
            import ezdxf  # noqa: F401
        except ImportError:
            missing.append("ezdxf")
    if missing:
        print(f"{', '.join(missing)} not installed; skipping")
        return SKIP
    return run_checks(places_checks() if reader == "places" else mirror_checks(), cli)


if __name__ == "__main__":
    sys.exit(main())
