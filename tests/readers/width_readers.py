#!/usr/bin/python3
"""Marks of a width, read by the real readers.

    width_readers.py vbit MENSORA_CLI       rs274 (linuxcnc-uspace) reads V-bit programs
    width_readers.py fill MENSORA_CLI       rs274 reads end mill and laser programs
    width_readers.py cutter MENSORA_CLI     hp2xx reads and draws the cutter's files
    width_readers.py drawings MENSORA_CLI   rsvg-convert (librsvg2-bin) draws the outline SVG,
                                            ezdxf (python3-ezdxf) reads the outline DXF
    width_readers.py defaults MENSORA_CLI   widths of 0 write every file as without them

vbit      Every plunge of a mark w wide is to -(w - t) / (2 tan(angle / 2)) for a V-bit of tip
          t (of width 0, to the depth typed), within 0.0001; a stripe's at one of its ends.
fill      The passes of an end mill D wide (a laser's lines, of its spot s) run along each mark
          from end to end; the outermost, grown by D / 2 (s / 2), reach +-w / 2 about its
          centre line within 0.001, and no two are further apart than the stepover (interval).
cutter    Every outline, of a mark or a number, is a closed path, cut on past its start by the
          overcut; without the blade offset and the overcut each mark's outline is its exact
          rectangle (or band) in plotter units, and hp2xx draws it w across within a pixel at
          10 pixels a millimetre.
drawings  rsvg-convert draws each mark w across within a pixel at 10 pixels a millimetre; ezdxf
          finds no error in the DXF, whose closed polylines hold each mark's corners within
          0.001.

Every expected value comes from the flags as typed (stripe k of the package at k times the
distance, its kind's length and width) and the tool's sizes, never from mensora-cli's output.
Exit status 0 when every file passes, 1 on the first failure, 77 when a reader is missing.
"""

import math
import os
import re
import shutil
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import real_readers  # noqa: E402
from real_readers import Failure, interpret, our_lines, read_by_hp2xx, run, run_checks  # noqa: E402

sys.modules.setdefault("real_readers", real_readers)
from profile_readers import cutter_points, generate  # noqa: E402

SKIP = 77
STRIPE_LENGTHS = [10, 5, 3, 10, 5, 3]
PRINTED = 0.0001 + 1e-9  # rs274 prints four decimals, our programs hold four
EDGE = 0.001 + 1e-9
PIXELS = 10  # a millimetre's
UNITS = 40  # plotter units a millimetre
STEP = 0.05  # pixels between the samples across a mark

# A ruler with its numbers, a dial and a drum collar, each stripe kind of another width (the
# collar's kind 3 a line).
RULER = {"--length": "10", "--distance": "1", "--start-x": "5", "--start-y": "-2",
         "--position": "midway", "--baseline": "single", "--mark-widths": "0.5,0.3,0.2,0,0,0",
         "--baseline-width": "0.3", "--numbers": "1", "--number-width": "0.3",
         "--depth": "-0.07"}
DIAL = {"--shape": "round", "--length": "90", "--distance": "5", "--radius": "30",
        "--start-angle": "20", "--start-x": "3", "--start-y": "4", "--package": "1323",
        "--baseline": "single", "--mark-widths": "0.2,0.5,0.3,0,0,0", "--baseline-width": "0.5"}
COLLAR = {"--shape": "round", "--surface": "drum", "--length": "360", "--distance": "3.6",
          "--radius": "20", "--no-double-mark": None, "--package": "12131", "--baseline": "single",
          "--mark-widths": "0.3,0.2,0,0,0,0", "--baseline-width": "0.5", "--numbers": "2",
          "--number-step": "10", "--number-width": "0.3", "--depth": "-0.07"}
GRBLHAL_COLLAR = {**COLLAR, "--rotary-axis": "B"}
WIDTHS = ("--mark-widths", "--baseline-width", "--number-width")


def flags(scale):
    return [text for name, value in scale.items() for text in (name, value) if text is not None]


def number(scale, name, default):
    return float(scale.get(name, default))


# ---- the marks as typed ---------------------------------------------------------------------

class Mark:
    """A mark's width and centre line: straight from p to q, or an arc of a circle (centre,
    radius, start angle, sweep in degrees); a drum's ring has neither here. `at` is the share
    of its length where it is measured across, clear of the other marks."""

    def __init__(self, width, line=None, arc=None, at=0.75):
        self.width, self.line, self.arc, self.at = width, line, arc, at
        if line:
            (px, py), (qx, qy) = line
            self.u = ((qx - px) / self.length(), (qy - py) / self.length())

    def length(self):
        return math.dist(*self.line) if self.line else self.arc[1] * math.radians(abs(self.arc[3]))

    def frame(self, point):
        """How far along the mark a point is, and how far across it (to its left, outward)."""
        if self.line:
            (ux, uy), (px, py) = self.u, self.line[0]
            dx, dy = point[0] - px, point[1] - py
            return dx * ux + dy * uy, ux * dy - uy * dx
        (cx, cy), radius, start, sweep = self.arc
        turned = math.degrees(math.atan2(point[1] - cy, point[0] - cx)) - start
        turned = (turned * math.copysign(1, sweep) + 1) % 360 - 1  # from a degree before it
        return radius * math.radians(turned), math.dist(point, (cx, cy)) - radius

    def point(self, share, across=0.0):
        """The point at a share of its length, and its unit normal (to the left, outward)."""
        if self.line:
            (ux, uy), (px, py), along = self.u, self.line[0], share * self.length()
            return (px + along * ux - across * uy, py + along * uy + across * ux), (-uy, ux)
        (cx, cy), radius, start, sweep = self.arc
        nx, ny = math.cos(math.radians(start + share * sweep)), \
            math.sin(math.radians(start + share * sweep))
        return (cx + (radius + across) * nx, cy + (radius + across) * ny), (nx, ny)

    def corners(self):
        half = self.width / 2
        return [self.point(share, side * half)[0] for share in (0, 1) for side in (1, -1)]


def marks(scale):
    """The stripes in order, then the baseline: each stripe k of the package at k times the
    distance from the start, its kind's length across the baseline at its position."""
    widths = [float(w) for w in scale.get("--mark-widths", "0,0,0,0,0,0").split(",")]
    x0, y0 = number(scale, "--start-x", 0), number(scale, "--start-y", 0)
    total, step = number(scale, "--length", 100), number(scale, "--distance", 1)
    radius, a0 = number(scale, "--radius", 30), number(scale, "--start-angle", 0)
    surface = scale.get("--surface", "face") if scale.get("--shape") == "round" else "flat"
    package = scale.get("--package", "1333323333")
    count = math.floor(total / step + 1e-9) + 1
    count -= "--no-double-mark" in scale and abs(total) == 360
    found = []
    for k in range(count):
        kind = int(package[k % len(package)])
        length = number(scale, f"--stripe{kind}", STRIPE_LENGTHS[kind - 1])
        across = {"above": (0, length), "midway": (-length / 2, length / 2),
                  "under": (-length, 0)}[scale.get("--position", "above")]
        at = k * step
        if surface == "flat":
            ends = [(x0 + at, y0 + o) for o in across]
        elif surface == "face":
            angle = math.radians(a0 + at)
            ends = [(x0 + (radius + o) * math.cos(angle), y0 + (radius + o) * math.sin(angle))
                    for o in across]
        else:  # along X at an angle of the rotary axis
            ends = [(x0 + o, a0 + at) for o in across]
        found.append(Mark(widths[kind - 1], line=ends))
    if scale.get("--baseline") == "single":
        width = number(scale, "--baseline-width", 0)
        # Measured half a step from its start, between the first two stripes.
        between = step / 2 / total
        if surface == "flat":
            found.append(Mark(width, line=[(x0, y0), (x0 + total, y0)], at=between))
        elif surface == "face":
            found.append(Mark(width, arc=((x0, y0), radius, a0, total), at=between))
        else:
            found.append(Mark(width))
    return found


# ---- V-bit ----------------------------------------------------------------------------------

def plunges(calls, axis):
    """Where each plunge goes down (X and Y, or X and the rotary axis), and to what Z."""
    found, at = [], None
    for _, kind, args in calls:
        point, z = ((args[0], args[1]), args[5]) if kind == "ARC_FEED" else \
            ((args[0], args[axis]), args[2])
        if kind == "STRAIGHT_FEED" and at and point == at[0] and z < at[1]:
            found.append((point, z))
        at = (point, z)
    return found


def check_vbit(cli, scale, profile, angle, folder):
    tip = 0.1
    path = generate(cli, [*flags(scale), "--profile", profile, "--tool", f"vbit:{angle}:{tip}"],
                    folder, "scale.ngc")
    axis = {"A": 3, "B": 4}[scale.get("--rotary-axis", "A")] if "--surface" in scale else 1
    found = plunges(interpret(path, folder), axis)
    wanted = marks(scale)
    numbers = Mark(number(scale, "--number-width", 0))
    strokes_of_numbers = len(found) - len(wanted)
    if strokes_of_numbers < 0 or (strokes_of_numbers > 0) != ("--numbers" in scale):
        raise Failure(f"{len(found)} plunges for {len(wanted)} marks and the numbers' strokes")
    for index, (point, z) in enumerate(found):
        mark = wanted[index] if index < len(wanted) else numbers
        depth = -(mark.width - tip) / (2 * math.tan(math.radians(angle) / 2)) \
            if mark.width > 0 else number(scale, "--depth", -0.1)
        if abs(z - depth) > PRINTED:
            raise Failure(f"plunge {index} to {z}, its mark {mark.width} wide to {depth:.5f}")
        if mark.line and min(max(abs(a - b) for a, b in zip(point, end))
                             for end in mark.line) > PRINTED:
            raise Failure(f"plunge {index} at {point}, not at an end of {mark.line}")
    return f"{len(found)} plunges, {len(wanted)} of marks, each to its depth"


# ---- end mill and laser ---------------------------------------------------------------------

def cut_strokes(calls):
    """Each stroke's cuts as rs274 reads them, from the end of its rapid: (from, to, the
    centre of an arc or None) in X and Y, an arc's pieces in a row as one."""
    strokes, at, cutting = [], None, False
    for _, kind, args in calls:
        end, centre = (args[0], args[1]), (args[2], args[3]) if kind == "ARC_FEED" else None
        if kind != "STRAIGHT_TRAVERSE" and not cutting:
            strokes.append([])
        cutting = kind != "STRAIGHT_TRAVERSE"
        if cutting and centre and strokes[-1] and strokes[-1][-1][2] == centre:
            strokes[-1][-1] = (strokes[-1][-1][0], end, centre)
        elif cutting and (end != at or centre):
            strokes[-1].append((at, end, centre))
        at = end
    return strokes


def pass_offsets(mark, stroke, index):
    """How far across the mark each of its passes runs: each along the mark's own line or
    circle from its one end to the other, joined to the next at an end."""
    length, offsets = mark.length(), set()
    for start, end, centre in stroke:
        (a, s), (b, e) = mark.frame(start), mark.frame(end)
        if any(min(abs(v), abs(v - length)) > EDGE for v in (a, b)):
            raise Failure(f"mark {index}: a cut from {start} to {end} leaves its ends")
        if (abs(a - b) <= EDGE) if mark.line else centre is None:
            continue  # a join across an end
        if abs(s - e) > 2 * PRINTED or centre and (
                mark.line or math.dist(centre, mark.arc[0]) > 2 * PRINTED):
            raise Failure(f"mark {index}: the pass from {start} to {end} is not along it")
        offsets.add(round(s, 4))
    return sorted(offsets)


def check_fill(cli, scale, profile, tool, size, step, folder):
    path = generate(cli, [*flags(scale), "--profile", profile, *tool], folder, "scale.ngc")
    strokes = cut_strokes(interpret(path, folder))
    wanted = marks(scale)
    if len(strokes) < len(wanted):
        raise Failure(f"{len(strokes)} strokes for {len(wanted)} marks")
    passes = 0
    for index, (mark, stroke) in enumerate(zip(wanted, strokes)):
        offsets = pass_offsets(mark, stroke, index)
        if not offsets:
            raise Failure(f"mark {index}: no pass along it")
        edges = (offsets[0] - size / 2, offsets[-1] + size / 2)
        if abs(edges[0] + mark.width / 2) > EDGE or abs(edges[1] - mark.width / 2) > EDGE:
            raise Failure(f"mark {index} {mark.width} wide: its passes reach {edges}")
        gap = max((b - a for a, b in zip(offsets, offsets[1:])), default=0)
        if gap > step + 2 * PRINTED:
            raise Failure(f"mark {index}: passes {gap} apart, at most {step}")
        passes += len(offsets)
    return f"{len(wanted)} marks in {passes} passes, each its width across"


# ---- pictures -------------------------------------------------------------------------------

def pbm_ink(path):
    with open(path, "rb") as f:
        _, size, bits = f.read().split(b"\n", 2)
    width, height = map(int, size.split())
    stride = (width + 7) // 8
    return [[bits[y * stride + x // 8] >> (7 - x % 8) & 1 == 1 for x in range(width)]
            for y in range(height)]


def png_ink(path):
    """The pixels of an 8-bit RGBA PNG at least half opaque."""
    with open(path, "rb") as f:
        data = f.read()
    at, packed = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IHDR":
            width, height, *form = struct.unpack(">IIBBBBB", data[at + 8:at + 21])
            if form != [8, 6, 0, 0, 0]:
                raise Failure(f"a PNG of another form: {form}")
        packed += data[at + 8:at + 8 + length] if kind == b"IDAT" else b""
        at += 12 + length
    raw, stride, rows, above = zlib.decompress(packed), 4 * width + 1, [], bytearray(4 * width)
    for y in range(height):
        how, row = raw[y * stride], bytearray(raw[y * stride + 1:(y + 1) * stride])
        for i in range(len(row)):
            a, b, c = (row[i - 4], above[i], above[i - 4]) if i >= 4 else (0, above[i], 0)
            paeth = min((abs(b - c), 0, a), (abs(a - c), 1, b), (abs(a + b - 2 * c), 2, c))[2]
            row[i] = (row[i] + (0, a, b, (a + b) // 2, paeth)[how]) & 255
        rows.append([row[4 * x + 3] >= 128 for x in range(width)])
        above = row
    return rows


def filled(ink):
    """The ink with every part that the outside cannot reach: outlines become shapes."""
    height, width = len(ink), len(ink[0])
    outside = [[False] * width for _ in range(height)]
    todo = [(x, y) for x in range(width) for y in (0, height - 1)] + \
        [(x, y) for y in range(height) for x in (0, width - 1)]
    while todo:
        x, y = todo.pop()
        if 0 <= x < width and 0 <= y < height and not ink[y][x] and not outside[y][x]:
            outside[y][x] = True
            todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return [[not o for o in row] for row in outside]


def across(ink, point, normal):
    """The length in pixels of the ink through a point (in pixels) along the normal."""
    def inked(t):
        x, y = point[0] + t * normal[0], point[1] + t * normal[1]
        return 0 <= y < len(ink) and 0 <= x < len(ink[0]) and ink[int(y)][int(x)]
    if not inked(0):
        return 0.0
    reach = []
    for sign in (1, -1):
        t = 0.0
        while inked(sign * (t + STEP)):
            t += STEP
        reach.append(t + STEP / 2)
    return sum(reach)


def check_measured(ink, wanted, to_pixel, pen, what):
    """Each of the (index, mark) measures its width across, less the pen's line, within a
    pixel (and the sampling's step at either side)."""
    for index, mark in wanted:
        point, (nx, ny) = mark.point(mark.at)
        measured = across(ink, to_pixel(point), (nx, -ny)) - pen  # a picture's Y runs down
        if abs(measured - PIXELS * mark.width) > 1 + 2 * STEP:
            raise Failure(f"{what}: mark {index} measures {measured:.2f} pixels across, "
                          f"{mark.width} mm is {PIXELS * mark.width:.2f}")
    return len(wanted)


# ---- cutter ---------------------------------------------------------------------------------

def outlines(path, folder):
    """hp2xx reads the cutter file; its pen-down paths, each from its rise."""
    lines = our_lines(path)
    read_by_hp2xx(path, folder, len(lines) + 1)  # the closing line holds two commands
    found = []
    for down, x, y in cutter_points(lines):
        if not down:
            found.append([])
        found[-1].append((x, y))
    return found


def length_of(path):
    return sum(math.dist(a, b) for a, b in zip(path, path[1:]))


def check_closed(paths, overcut):
    """With the blade on the knife's axis, each path comes back to its very start and runs on
    along itself by the overcut (at most once around; to two units' rounding), or ends there
    without one. A move to where the knife stands cuts nothing (hp2xx skips it): two corners of
    a number's outline may round to one unit."""
    for index, path in enumerate(paths):
        path = [p for i, p in enumerate(path) if i == 0 or p != path[i - 1]]
        back = next((j for j in range(3, len(path)) if path[j] == path[0]), None)
        run_on = length_of(path[back:]) if back else -1
        on = min(overcut, length_of(path[:back + 1])) if back else 0
        if back is None or (back != len(path) - 1 if overcut == 0 else run_on < on - 2
                            or math.dist(path[-1], path[0]) > on + 2):
            raise Failure(f"outline {index} from {path[0]}: back at point {back} of "
                          f"{len(path)}, then on by {run_on:.1f} units")


def fit_corners(paths, wanted):
    """The shift of the drawing to 0, 0 (in units), from the lowest corners; each mark's path
    then holds its corners to half a unit, a straight mark's nothing else."""
    exact = [[(x * UNITS, y * UNITS) for x, y in mark.corners()] for mark in wanted]
    shift = [round(min(c[i] for cs in exact for c in cs)) - min(p[i] for path in paths[:len(wanted)]
                                                              for p in path) for i in (0, 1)]
    for index, (mark, corners, path) in enumerate(zip(wanted, exact, paths)):
        placed = [(x + shift[0], y + shift[1]) for x, y in path]
        missing = [c for c in corners if not any(max(abs(a - b) for a, b in zip(c, p))
                                                 <= 0.5 + 1e-6 for p in placed)]
        if missing or placed[-1] != placed[0] or (mark.line and len(set(path)) != 4):
            raise Failure(f"mark {index}: the outline {path} lacks the corners {missing}")
    return shift


def draw_plot(path, folder):
    """hp2xx's picture of a plot file at 10 pixels a millimetre (254 dots an inch, true size),
    and its log."""
    picture = os.path.join(folder, "plot.pbm")
    done = run(["hp2xx", "-m", "pbm", "-t", "-d", "254", "-f", picture, path], cwd=folder)
    if done.returncode != 0:
        raise Failure(f"hp2xx exited {done.returncode}")
    return pbm_ink(picture), done.stderr + done.stdout


def pen_of(folder):
    """The breadth in pixels of hp2xx's line, and where it puts a drawing's lowest unit: from
    a lone upright line."""
    path = os.path.join(folder, "line.plt")
    with open(path, "w") as f:
        f.write("IN;SP1;PU0,0;PD0,400;PU;SP0;\n")
    ink, _ = draw_plot(path, folder)
    inked = [x for x, on in enumerate(ink[len(ink) // 2]) if on]
    return len(inked), (inked[0] + inked[-1] + 1) / 2


def check_cutter(cli, scale, folder):
    cutter = [*flags(scale), "--profile", "hpgl-cutter"]
    knife = outlines(generate(cli, cutter, folder, "knife.plt"), folder)
    unswivelled = [*cutter, "--blade-offset", "0", "--overcut"]
    overcut = outlines(generate(cli, [*unswivelled, "1"], folder, "on.plt"), folder)
    check_closed(overcut, UNITS * 1)
    exact = generate(cli, [*unswivelled, "0"], folder, "exact.plt")
    exact_paths = outlines(exact, folder)
    check_closed(exact_paths, 0)
    if not len(knife) == len(overcut) == len(exact_paths):
        raise Failure(f"{len(knife)}, {len(overcut)} and {len(exact_paths)} outlines")
    wanted = marks(scale)
    shift = fit_corners(exact_paths, wanted)
    pen, margin = pen_of(folder)
    ink, log = draw_plot(exact, folder)
    low_x, _, _, high_y = (float(v) for v in re.search(
        r"Coordinate range: \((\S+), (\S+)\) \.\.\. \((\S+), (\S+)\)", log).groups())

    def to_pixel(point):
        x, y = point[0] * UNITS - shift[0], point[1] * UNITS - shift[1]
        return margin + (x - low_x) / 4, margin + (high_y - y) / 4
    # hp2xx draws a slanted line thinner than a level or upright one: those alone are measured.
    level = [(i, m) for i, m in enumerate(wanted)
             if m.line and min(abs(a - b) for a, b in zip(*m.line)) < 1e-9]
    measured = check_measured(filled(ink), level, to_pixel, pen, "hp2xx")
    return (f"{len(knife)} closed outlines; {len(wanted)} marks at their corners, "
            f"{measured} measured")


# ---- drawings -------------------------------------------------------------------------------

def check_svg(cli, scale, folder):
    path = generate(cli, [*flags(scale), "--format", "svg", "--drawing", "outlines"], folder,
                    "scale.svg")
    picture = os.path.join(folder, "scale.png")
    done = run(["rsvg-convert", "-d", "254", "-p", "254", "-o", picture, path])
    if done.returncode != 0 or done.stderr.strip():
        raise Failure(f"rsvg-convert exited {done.returncode}: {done.stderr.strip()}")
    left, top = (float(v) for v in ElementTree.parse(path).getroot().get("viewBox").split()[:2])

    def to_pixel(point):  # Y is written negated
        return (point[0] - left) * PIXELS, (-point[1] - top) * PIXELS
    measured = check_measured(png_ink(picture), list(enumerate(marks(scale))), to_pixel, 0,
                              "rsvg-convert")
    return f"{measured} marks measured"


def check_dxf(cli, scale, folder):
    import ezdxf
    path = generate(cli, [*flags(scale), "--format", "dxf", "--drawing", "outlines"], folder,
                    "scale.dxf")
    document = ezdxf.readfile(path)
    auditor = document.audit()
    if auditor.has_errors:
        raise Failure("ezdxf's audit: " + " | ".join(e.message for e in auditor.errors))
    closed = [list(e.get_points("xy")) for layer in ("STRIPES", "BASELINE")
              for e in document.modelspace().query(f'LWPOLYLINE[layer=="{layer}"]') if e.closed]
    wanted = marks(scale)
    if len(closed) != len(wanted):
        raise Failure(f"{len(closed)} closed polylines of stripes and baselines, "
                      f"{len(wanted)} marks")
    for index, (mark, points) in enumerate(zip(wanted, closed)):
        missing = [c for c in mark.corners()
                   if not any(max(abs(a - b) for a, b in zip(c, p)) <= EDGE for p in points)]
        if missing or len(points) != 4:
            raise Failure(f"mark {index}: the polyline {points} lacks the corners {missing}")
    return f"{len(wanted)} closed polylines at their marks' corners; audit: 0 errors"


# ---- defaults -------------------------------------------------------------------------------

# Each output, with a tool or drawing of its own, and whether it holds a drum.
OUTPUTS = [(["--profile", "plain"], ["--tool", "endmill:1"], False),
           (["--profile", "plain", "--format", "plot"], ["--drawing", "outlines"], False),
           (["--profile", "rs274"], ["--tool", "vbit:60:0.1"], True),
           (["--profile", "grbl"], ["--tool", "endmill:3.175:40"], False),
           (["--profile", "grblhal"], ["--tool", "endmill:0.5"], True),
           (["--profile", "grbl-laser"], ["--spot", "0.2", "--line-interval", "0.05"], True),
           (["--profile", "hpgl-cutter"], ["--blade-offset", "0", "--overcut", "0"], False),
           (["--format", "svg"], ["--drawing", "outlines"], True),
           (["--format", "dxf"], ["--drawing", "outlines"], True)]


def check_defaults(cli, scale, folder):
    plain = flags({k: v for k, v in scale.items() if k not in WIDTHS})
    zero = ["--mark-widths", "0,0,0,0,0,0", "--baseline-width", "0", "--number-width", "0"]
    written = 0
    for output, tool, drum in OUTPUTS:
        if "--surface" in scale and not drum:
            continue
        with open(generate(cli, [*plain, *output], folder, "plain"), "rb") as f:
            before = f.read()
        with open(generate(cli, [*plain, *output, *zero, *tool], folder, "zero"), "rb") as f:
            if f.read() != before:
                raise Failure(f"{' '.join(output + tool)}: widths of 0 change the file")
        written += 1
    return f"{written} files the same byte for byte"


# ---- driver ---------------------------------------------------------------------------------

TOOLS = [("rs274", ["--tool", "endmill:0.2"], 0.2, 0.08),
         ("rs274", ["--tool", "endmill:0.1:50"], 0.1, 0.05),
         ("grbl-laser", [], 0.1, 0.1),
         ("grbl-laser", ["--spot", "0.08", "--line-interval", "0.03"], 0.08, 0.03)]
FLAT_AND_ROUND = (("ruler", RULER), ("dial", DIAL))


def checks(reader):
    def case(label, check, *args):
        return (label, lambda cli, folder: check(cli, *args, folder))
    if reader == "vbit":
        return [case(f"{profile} {angle} degrees {name}", check_vbit, scale, profile, angle)
                for name, scale, profile in (*(item + ("rs274",) for item in FLAT_AND_ROUND),
                                             ("collar", COLLAR, "rs274"),
                                             ("collar on B", GRBLHAL_COLLAR, "grblhal"))
                for angle in (60, 90)]
    if reader == "fill":
        return [case(f"{profile} {' '.join(tool)} {name}", check_fill, scale, profile, tool,
                     size, step)
                for profile, tool, size, step in TOOLS for name, scale in FLAT_AND_ROUND]
    if reader == "cutter":
        return [case(f"hpgl-cutter {name}", check_cutter, scale) for name, scale in FLAT_AND_ROUND]
    if reader == "drawings":
        return [case(f"{kind} {name}", check, scale) for name, scale in FLAT_AND_ROUND
                for kind, check in (("svg", check_svg), ("dxf", check_dxf))]
    return [case(f"defaults {name}", check_defaults, scale)
            for name, scale in (*FLAT_AND_ROUND, ("collar", COLLAR))]


READERS = {"vbit": ["rs274"], "fill": ["rs274"], "cutter": ["hp2xx"],
           "drawings": ["rsvg-convert"], "defaults": []}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in READERS:
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    missing = [p for p in READERS[reader] if shutil.which(p) is None]
    if reader == "drawings":
        try:
            import ezdxf  # noqa: F401
        except ImportError:
            missing.append("python3-ezdxf")
    if missing:
        print(f"{', '.join(missing)} not installed; skipping")
        return SKIP
    return run_checks(checks(reader), cli)


if __name__ == "__main__":
    sys.exit(main())
