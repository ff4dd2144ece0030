#!/usr/bin/python3
"""Drum scales, read by the real readers: what a rotary axis or a roller makes of our files.

    drum_readers.py rs274 MENSORA_CLI      rs274 (linuxcnc-uspace) reads every rs274 and
                                           grblhal drum program
    drum_readers.py unrolled MENSORA_CLI   rs274 reads the grbl-laser programs, ezdxf
                                           (python3-ezdxf) the DXF and rsvg-convert the SVG
                                           drawings of drums

rs274     Every drum program is read exactly as written, with A or B as the fourth axis, and is
          the same under a German locale. Every stripe is cut at A = its angle, along X over its
          length, at Y = Centre Y and Z = the depth; the ring sweeps the total angle in A alone
          at X = Centre X, back from the end angle (from the last stripe when it is a whole
          turn); every stroke of the numbers lies in the band beyond its stripe's +X end and
          beside its stripe, and there are as many strokes as the font's glyphs hold. A-only
          cuts run at the feed turned into degrees per minute, the X and A cuts in inverse time
          give the feed along the surface, and the rapids never turn A by a whole turn. grblhal
          files keep to grblHAL's words and 256-character lines.
unrolled  The laser's roller and the drawings lay the drum flat: stripe k lies along X at
          Y = Centre Y + its angle times pi r / 180, with its length, and the ring along Y at
          X = Centre X over the total angle, where the rotary axis would cut it.

Every expected value comes from the scale's own numbers (its flags and the fonts' .jhf
files); the stripe kinds come from mensora-cli --sequence. Exit status 0 when every file
passes, 1 on the first failure, 77 when a reader is missing.
"""

import json
import math
import os
import re
import shutil
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import real_readers  # noqa: E402
from real_readers import Failure, glyph_strokes, interpret, our_lines, run, run_checks  # noqa: E402

sys.modules.setdefault("real_readers", real_readers)
from profile_readers import TEMPLATES, flag, generate, half_decimal  # noqa: E402
from profile_readers import template_flags as profile_template_flags  # noqa: E402

SKIP = 77
DRUM = ["--shape", "round", "--surface", "drum"]
COLLAR = ["--length", "360", "--distance", "3.6", "--radius", "20"]
BACK_AND_FORTH = ["--passes", "2", "--order", "alternate"]
INCH_STRIPES = ["--stripe1", "0.2", "--stripe2", "0.1", "--stripe3", "0.05", "--depth", "-0.004",
                "--number-height", "0.125", "--number-gap", "0.04"]

# Every stripe position with the ring and without, full and half turns, a negative total that
# starts off 0, numbers read along the drum and across it, two passes back and forth, inches.
SCALES = [
    [*COLLAR, "--baseline", "single"],
    [*COLLAR, "--no-double-mark", "--numbers", "1", "--number-step", "10"],
    ["--length", "180", "--distance", "0.5", "--radius", "25", "--position", "midway",
     "--baseline", "single", "--feed", "250.5", "--plunge-feed", "30"],
    ["--length", "-90", "--distance", "-5", "--start-angle", "30", "--position", "under",
     "--baseline", "single", "--start-x", "12.5", "--start-y", "-3", "--depth", "-0.25"],
    ["--length", "-90", "--distance", "-5", "--start-angle", "30", "--position", "midway",
     "--numbers", "1", "--number-step", "-5", "--number-font", "timesr", *BACK_AND_FORTH],
    [*COLLAR, "--position", "under", "--numbers", "1", "--number-step", "10",
     "--number-orientation", "level", *BACK_AND_FORTH],
    ["--unit", "inch", "--length", "-180", "--distance", "-5", "--radius", "0.75",
     "--position", "midway", "--baseline", "single", *INCH_STRIPES, *BACK_AND_FORTH],
    ["--unit", "inch", "--length", "360", "--distance", "10", "--radius", "1.5",
     "--no-double-mark", "--baseline", "single", "--numbers", "1", "--number-step", "100",
     "--number-orientation", "level", "--start-x", "-0.5", *INCH_STRIPES],
    # Past a whole turn the ring is one turn back from the last stripe; a total of 0 has none.
    ["--length", "400", "--distance", "10", "--baseline", "single"],
    ["--length", "-400", "--distance", "-10", "--start-angle", "30", "--baseline", "single"],
    ["--length", "0", "--baseline", "single"],
    # Numbers of the kind 2 stripes, in three passes; a thin drum numbered at every stripe;
    # a slow feed on a drum of radius 1, whose inverse times need many decimals.
    ["--length", "100", "--distance", "1", "--numbers", "2", "--number-step", "5",
     "--number-orientation", "level", "--position", "midway", "--number-font", "gothgbt",
     "--baseline", "single", "--passes", "3"],
    ["--length", "360", "--distance", "90", "--radius", "0.5", "--package", "1", "--numbers",
     "1", "--number-step", "1", "--baseline", "single"],
    ["--length", "270", "--distance", "5", "--radius", "1", "--numbers", "1", "--number-step",
     "50", "--feed", "1", "--number-height", "0.2", "--number-gap", "0.05"],
]
# The most stripes a scale has, around a large drum: grblhal alone, to keep the time down.
LARGE = ["--length", "32766", "--radius", "1000", "--baseline", "single", "--package",
         "1333323333"]
DRAWN = [SCALES[i] for i in (0, 2, 3, 5, 7, 8, 9)]

GRBLHAL_WORDS = {"G0", "G1", "G2", "G3", "G17", "G20", "G21", "G90", "G91.1", "G93", "G94",
                 "M3", "M5", "M30"}
GRBLHAL_LINE = 256
# A canon position is printed in four decimals; the tool's held position in six.
PRINTED = 0.00005 + 1e-9
HELD = 0.0000005 + 1e-9
ANGLE = 1e-4  # degrees
SURFACE_SPEED = 0.01  # a share of the feed
FONTS = real_readers.FONTS


# ---- the scale's own numbers ----------------------------------------------------------------

class Drum:
    """The scale as its flags give it: where each stripe lies and where its number goes."""

    def __init__(self, cli, flags):
        listed = run([cli, *DRUM, *flags, "--profile", "rs274", "--sequence"])
        self.sequence = listed.stdout.strip()
        if listed.returncode != 0 or not self.sequence:
            raise Failure(f"mensora-cli --sequence exited {listed.returncode}")
        inch = flag(flags, "--unit", "mm") == "inch"
        self.half = half_decimal(flags)
        self.cx = float(flag(flags, "--start-x", "0"))
        self.cy = float(flag(flags, "--start-y", "0"))
        self.radius = float(flag(flags, "--radius", "30"))
        self.start = float(flag(flags, "--start-angle", "0"))
        self.step = float(flag(flags, "--distance", "1"))
        self.total = float(flag(flags, "--length", "100"))
        self.depth = float(flag(flags, "--depth", "-0.1"))
        self.passes = int(flag(flags, "--passes", "1"))
        self.feed = float(flag(flags, "--feed", "4" if inch else "100"))
        self.plunge_feed = float(flag(flags, "--plunge-feed", "2" if inch else "50"))
        # A total of 0 has no ring to cut.
        self.ring = flag(flags, "--baseline", "none") == "single" and self.total != 0
        position = flag(flags, "--position", "above")
        self.stripes = []
        for i, kind in enumerate(self.sequence):
            length = float(flag(flags, f"--stripe{kind}", "10 5 3 10 5 3".split()[int(kind) - 1]))
            low, high = {"above": (0, length), "midway": (-length / 2, length / 2),
                         "under": (-length, 0)}[position]
            self.stripes.append((self.start + i * self.step, self.cx + low, self.cx + high))
        self.labels, self.font = [], None
        self.numbers = self.number_bands(flags) if "--numbers" in flags else []

    def around(self, degrees):
        """The length along the surface of a turn by so many degrees."""
        return degrees * math.pi * abs(self.radius) / 180

    def ring_ends(self):
        """Where the ring begins and where it ends, back over the total: part of a turn from
        the end angle, a whole turn (the same circle wherever it begins) from the turn's
        equivalent of the end angle nearest the last stripe."""
        begin = self.start + self.total
        if abs(self.total) >= 360:
            turns = (begin - self.stripes[-1][0]) / 360  # halves away from 0
            begin -= 360 * math.copysign(math.floor(abs(turns) + 0.5), turns)
        return begin, begin - math.copysign(min(abs(self.total), 360), self.total)

    def number_bands(self, flags):
        """(angle, X from, X to, half the extent around) of every numbered stripe's number; the
        digits' height, the gap and the text's width from the flags and the font's glyphs."""
        numbered = int(flags[flags.index("--numbers") + 1])
        font = flag(flags, "--number-font", "futural")
        height = float(flag(flags, "--number-height", "3"))
        gap = float(flag(flags, "--number-gap", "1"))
        first = float(flag(flags, "--number-first", "0"))
        step = float(flags[flags.index("--number-step") + 1])
        glyphs = font_glyphs(font)
        top = min(y for d in "0123456789" for s in glyphs[d][2] for _, y in s)
        bottom = max(y for d in "0123456789" for s in glyphs[d][2] for _, y in s)
        scale = height / (bottom - top)
        self.labels = []
        bands = []
        for i, kind in enumerate(self.sequence):
            if int(kind) != numbered:
                continue
            label = f"{first + len(self.labels) * step:g}"
            self.labels.append(label)
            width = ink_width(glyphs, label) * scale
            angle, _, outer = self.stripes[i]
            along, across = (width, height) if "level" in flags else (height, width)
            bands.append((angle, outer + gap, outer + gap + along, across / 2))
        self.font = font
        return bands


def font_glyphs(font):
    """Every printable character of a .jhf font: (left, right, strokes of (x, y) points)."""
    with open(os.path.join(FONTS, font + ".jhf"), encoding="ascii") as f:
        lines = iter(f.read().splitlines())
    glyphs = {}
    for code in range(32, 127):
        line = next(lines)
        pairs = line[8:]
        needed = 2 * int(line[5:8])
        while len(pairs) < needed:
            pairs += next(lines)
        left, right = ord(pairs[0]) - ord("R"), ord(pairs[1]) - ord("R")
        body = pairs[2:needed]
        strokes = [[(ord(s[j]) - ord("R"), ord(s[j + 1]) - ord("R")) for j in range(0, len(s), 2)]
                   for s in body.split(" R") if s]
        glyphs[chr(code)] = (left, right, strokes)
    return glyphs


def ink_width(glyphs, text):
    """From the leftmost to the rightmost point of the text's strokes, in font units."""
    origin = 0
    xs = []
    for c in text:
        left, right, strokes = glyphs[c]
        xs += [origin + x - left for s in strokes for x, _ in s]
        origin += right - left
    return max(xs) - min(xs)


# ---- what rs274 reads -----------------------------------------------------------------------

CANON = re.compile(r"\s*\d+ N(\d+|\.+)\s*([A-Z_]+)\((.*)\)\s*")
PROBE = ("#1=[#5420+1000]\r\n#2=[#5421+1000]\r\n#3=[#5422+1000]\r\n#4=[#5423+1000]\r\n"
         "#5=[#5424+1000]\r\n(DEBUG,#1 #2 #3 #4 #5)\r\n").encode("ascii")
MOTION = re.compile(r"(^|\s)G[0-3](\s|$)")
WORD = re.compile(r"([A-Z])([-+]?[0-9.]+)")


def file_words(lines):
    """Each line's words by its number: {"G": ["93", "1"], "X": ["2.5"], ...}."""
    table = {}
    for line in lines:
        number, body = re.fullmatch(r"N(\d+) (.*)", line).groups()
        found = {}
        for letter, value in WORD.findall(re.sub(r"\(.*\)", "", body)):
            found.setdefault(letter, []).append(value)
        table[int(number)] = found
    return table


def read_program(path, folder, lines):
    """rs274's motions of our file as written, each with its line, its kind, its end as printed
    (X, Y, Z, A, B), the feed rate and feed mode in effect; then the end of each as the tool
    is held there (six decimals), from a copy probed after every motion; and the feed mode
    rs274 ends in."""
    calls = interpret(path, folder)
    motions = []
    rate, inverse = None, False
    with open(os.path.join(folder, "canon.txt")) as f:
        for line in f:
            m = CANON.fullmatch(line)
            if not m:
                continue
            name, args = m.group(2), m.group(3)
            if name == "SET_FEED_RATE":
                rate = float(args)
            elif name == "COMMENT" and "feed mode set to" in args:
                inverse = "inverse time" in args
            elif name in ("STRAIGHT_TRAVERSE", "STRAIGHT_FEED", "ARC_FEED"):
                motions.append({"line": int(m.group(1)), "kind": name,
                                "printed": [float(a) for a in args.split(",")][:5],
                                "rate": rate, "inverse": inverse})
    if len(motions) != len(calls):
        raise Failure("rs274's motions and its canon file disagree")
    probed = os.path.join(folder, "probed.ngc")
    with open(probed, "wb") as copy:
        for line in lines:
            copy.write(line.encode("ascii") + b"\r\n" + (PROBE if MOTION.search(line) else b""))
    held = [args for _, kind, args in interpret(probed, folder, messages=True)
            if kind == "MESSAGE"]
    if len(held) != len(motions):
        raise Failure("rs274 does not say where it holds the tool after every motion")
    for motion, point in zip(motions, held):
        motion["end"] = [v - 1000 for v in point]
    return motions, inverse


def check_as_written(motions, table, axis):
    """Every motion is the one its line writes, to the canon's four decimals, on our axis."""
    at = {"X": 0.0, "Y": 0.0, "Z": 0.0, axis: 0.0}
    other = "B" if axis == "A" else "A"
    written_motions = [n for n, w in table.items()
                       if set(w.get("G", [])) & {"0", "1", "2", "3"}]
    if len(written_motions) != len(motions):
        raise Failure(f"{len(motions)} motions read, {len(written_motions)} written")
    for number, motion in zip(written_motions, motions):
        w = table[number]
        for letter in at:
            at[letter] = float(w[letter][0]) if letter in w else at[letter]
        if other in w or "C" in w or motion["line"] != number:
            raise Failure(f"N{number}: another axis, or read as N{motion['line']}")
        kind = "STRAIGHT_TRAVERSE" if "0" in w["G"] else "STRAIGHT_FEED"
        want = [at["X"], at["Y"], at["Z"], at.get("A", 0.0), at.get("B", 0.0)]
        if motion["kind"] != kind or any(abs(g - v) > PRINTED
                                         for g, v in zip(motion["printed"], want)):
            raise Failure(f"N{number}: read {motion['kind']} {motion['printed']}, written "
                          f"{kind} {want}")
        if any(abs(g - p) > PRINTED for g, p in zip(motion["end"], motion["printed"])):
            raise Failure(f"N{number}: held at {motion['end']}, printed {motion['printed']}")


def check_feeds(drum, motions, table, axis):
    """Rapids keep Y at Centre Y and never turn a whole turn; each cut runs at the feed along
    the surface: X alone at the feed, the axis alone in degrees per minute, both in inverse
    time (the line's F is one over its minutes); plunges at the plunge feed."""
    a = 3 if axis == "A" else 4
    degrees_per_minute = drum.feed / drum.around(1)
    at = [0.0] * 5
    worst = 0.0
    for motion in motions:
        end, rate, line = motion["end"], motion["rate"], motion["line"]
        d = [e - s for e, s in zip(end, at)]
        moved = [abs(v) > HELD for v in d]
        if ("Y" in table[line] or motion["kind"] != "STRAIGHT_TRAVERSE") \
                and abs(end[1] - drum.cy) > drum.half:
            raise Failure(f"N{line}: Y {end[1]}, Centre Y {drum.cy}")
        if motion["kind"] == "STRAIGHT_TRAVERSE":
            if ("X" in table[line] or axis in table[line]) and "Y" not in table[line]:
                raise Failure(f"N{line}: a rapid without Y")
            if abs(d[a]) >= 360:
                raise Failure(f"N{line}: a rapid turns {axis} by {d[a]} degrees")
        elif moved[0] and moved[a]:
            f = float(table[line]["F"][0])
            speed = math.hypot(d[0], drum.around(d[a])) * f  # the length over 1/F minutes
            share = abs(speed / drum.feed - 1)
            worst = max(worst, share)
            if not motion["inverse"] or share > SURFACE_SPEED:
                raise Failure(f"N{line}: {d[0]:.6f} along and {d[a]:.6f} degrees in "
                              f"1/{f} minutes, {speed:.4f} a minute along the surface")
            # rs274 gives the move the rate of its X length in the line's time.
            if abs(rate - max(0.1, abs(d[0]) * f)) > 0.01 * rate + PRINTED:
                raise Failure(f"N{line}: rs274's rate {rate}, not {abs(d[0]) * f}")
        else:
            want = drum.plunge_feed if moved[2] else \
                drum.feed if moved[0] else degrees_per_minute
            if motion["inverse"] or sum(moved) != 1 or abs(rate / want - 1) > SURFACE_SPEED:
                raise Failure(f"N{line}: a move by {d} at {rate} a minute, set {want}")
        at = end
    return worst


def strokes_of(motions):
    """The points of each stroke: where its rapid ends, then the end of each feed."""
    strokes = []
    start = None
    for motion in motions:
        if motion["kind"] == "STRAIGHT_TRAVERSE":
            start = None
            travel_end = motion["end"]
            continue
        if start is None:
            start = travel_end
            strokes.append([start])
        strokes[-1].append(motion["end"])
    return strokes


def check_stripe(drum, number, stroke, a):
    angle, low, high = drum.stripes[number]
    for point in stroke:
        if abs(point[a] - angle) > ANGLE or abs(point[1] - drum.cy) > drum.half:
            raise Failure(f"stripe {number}: the tool at {point}, the stripe at {angle} degrees")
    deepest = [p for p in stroke if abs(p[2] - drum.depth) <= drum.half]
    xs = [p[0] for p in stroke]
    if not deepest or min(p[0] for p in deepest) < min(xs) or min(xs) < low - ANGLE \
            or abs(min(p[0] for p in deepest) - low) > ANGLE \
            or abs(max(p[0] for p in deepest) - high) > ANGLE or max(xs) > high + ANGLE:
        raise Failure(f"stripe {number}: cut over X {min(xs)} .. {max(xs)} at the depth, "
                      f"its ends are {low} and {high} at {drum.depth}")
    if min(p[2] for p in stroke) < drum.depth - drum.half:
        raise Failure(f"stripe {number}: cut below the depth")


def check_ring(drum, stroke, a):
    """In A alone at Centre X, from the end angle back over the total, each pass there and
    back again."""
    end, back = drum.ring_ends()
    for point in stroke:
        if abs(point[0] - drum.cx) > drum.half or abs(point[1] - drum.cy) > drum.half:
            raise Failure(f"the ring at {point}, not at X {drum.cx}")
    if abs(stroke[0][a] - end) > ANGLE:
        raise Failure(f"the ring begins at {stroke[0][a]}, not at {end}")
    deep = [p[a] for p in stroke if abs(p[2] - drum.depth) <= drum.half]
    swept = sum(abs(q[a] - p[a]) for p, q in zip(stroke, stroke[1:]))
    if not deep or abs(min(deep) - min(end, back)) > ANGLE \
            or abs(max(deep) - max(end, back)) > ANGLE \
            or abs(swept - abs(end - back) * drum.passes) > ANGLE * len(stroke):
        raise Failure(f"the ring sweeps {swept} degrees, {abs(end - back)} in each of "
                      f"{drum.passes} passes")


def check_number_strokes(drum, strokes, a):
    """Each stroke beside the numbered stripe it is nearest, in its number's band."""
    glyphs = glyph_strokes(drum.font) if drum.labels else {}
    wanted = sum(glyphs[c] for label in drum.labels for c in label)
    if len(strokes) != wanted:
        raise Failure(f"{len(strokes)} strokes of numbers, the font's glyphs of "
                      f"{drum.labels} hold {wanted}")
    for stroke in strokes:
        for point in stroke:
            angle, low, high, half = min(drum.numbers, key=lambda b: abs(b[0] - point[a]))
            off = drum.around(abs(point[a] - angle))
            if not (low - 2 * drum.half <= point[0] <= high + 2 * drum.half) \
                    or off > half + drum.half:
                raise Failure(f"a number's stroke at X {point[0]}, {point[a]} degrees: its "
                              f"band is X {low} .. {high}, and {half} along the surface "
                              f"either side of {angle} degrees")


def check_grblhal(lines, axis):
    for line in lines:
        if len(line) > GRBLHAL_LINE:
            raise Failure(f"a line of {len(line)} characters: {line}")
        body = re.sub(r"\(.*\)", "", line)
        if WORD.sub("", body).strip():
            raise Failure(f"not a word grblHAL reads: {line}")
        for letter, value in WORD.findall(body):
            if letter in "GM" and letter + value not in GRBLHAL_WORDS:
                raise Failure(f"{letter}{value} is not a grblHAL word: {line}")
            if letter not in "GMNFSXYZIJ" + axis:
                raise Failure(f"{letter} is not a grblHAL letter of this program: {line}")


def check_drum_program(cli, flags, profile, axis, folder):
    drum = Drum(cli, flags)
    path = generate(cli, [*DRUM, *flags, "--profile", profile, "--rotary-axis", axis], folder,
                    "drum.ngc")
    lines = our_lines(path)
    if profile == "grblhal":
        check_grblhal(lines, axis)
    table = file_words(lines)
    motions, inverse_at_end = read_program(path, folder, lines)
    check_as_written(motions, table, axis)
    if inverse_at_end:
        raise Failure("the program ends in inverse time")
    worst = check_feeds(drum, motions, table, axis)
    a = 3 if axis == "A" else 4
    strokes = strokes_of(motions)
    stripes = len(drum.stripes)
    for number, stroke in enumerate(strokes[:stripes]):
        check_stripe(drum, number, stroke, a)
    if drum.ring:
        check_ring(drum, strokes[stripes], a)
    check_number_strokes(drum, strokes[stripes + drum.ring:], a)
    return (f"{len(lines)} lines, {stripes} stripes{' and the ring' * drum.ring}, "
            f"{len(strokes) - stripes - drum.ring} strokes of numbers; surface speed within "
            f"{100 * worst:.3f} %")


# ---- unrolled -------------------------------------------------------------------------------

def check_flat_stripes(drum, strokes, tolerance, what):
    """The stripes and the ring laid flat: the (x, y) points of each, in the file's order."""
    count = len(drum.stripes) + drum.ring
    if len(strokes) < count:
        raise Failure(f"{len(strokes)} {what} strokes, {count} stripes and rings")
    flat = [(drum.cy + drum.around(angle), drum.cy + drum.around(angle), low, high)
            for angle, low, high in drum.stripes]
    if drum.ring:
        ends = sorted(drum.cy + drum.around(v) for v in drum.ring_ends())
        flat.append((*ends, drum.cx, drum.cx))
    for number, (points, (y_low, y_high, x_low, x_high)) in enumerate(zip(strokes, flat)):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        if max(abs(min(xs) - x_low), abs(max(xs) - x_high), abs(min(ys) - y_low),
               abs(max(ys) - y_high)) > tolerance:
            name = "the ring" if number == len(drum.stripes) else f"stripe {number}"
            raise Failure(f"{what} {name}: X {min(xs)} .. {max(xs)}, Y {min(ys)} .. {max(ys)}; "
                          f"its place X {x_low} .. {x_high}, Y {y_low} .. {y_high}")
    return count


def check_laser(cli, flags, folder):
    drum = Drum(cli, flags)
    path = generate(cli, [*DRUM, *flags, "--profile", "grbl-laser"], folder, "drum.gcode")
    lines = our_lines(path)
    motions, _ = read_program(path, folder, lines)
    check_as_written(motions, file_words(lines), "A")
    # A stroke of the laser is its burns from the end of a rapid: a stripe, there and back
    # again in passes back and forth.
    flat = [[p[:2] for p in stroke] for stroke in strokes_of(motions)]
    count = check_flat_stripes(drum, flat, drum.half, "laser")
    return f"{len(lines)} lines, {count} stripes and rings at their unrolled places"


def check_svg(cli, flags, folder):
    drum = Drum(cli, flags)
    path = generate(cli, [*DRUM, *flags, "--format", "svg"], folder, "drum.svg")
    done = run(["rsvg-convert", "-o", os.path.join(folder, "drum.png"), path])
    if done.returncode != 0 or done.stderr.strip():
        raise Failure(f"rsvg-convert exited {done.returncode}: {done.stderr.strip()}")
    svg = "{http://www.w3.org/2000/svg}"
    groups = {g.get("id"): g for g in ElementTree.parse(path).getroot() if g.tag == svg + "g"}
    lines = []
    for part in ("stripes", "baseline"):
        for element in groups[part]:
            if element.tag != svg + "line":
                raise Failure(f"a {element.tag} among the {part}")
            x1, y1, x2, y2 = (float(element.get(k)) for k in ("x1", "y1", "x2", "y2"))
            lines.append(((x1, -y1), (x2, -y2)))  # Y is written negated
    if len(lines) != len(drum.stripes) + drum.ring:
        raise Failure(f"{len(lines)} lines of stripes and rings")
    count = check_flat_stripes(drum, lines, 0.0005 + 1e-9, "SVG")
    return f"{count} stripes and rings at their unrolled places; rendered without a word"


def check_dxf(cli, flags, folder):
    import ezdxf
    drum = Drum(cli, flags)
    path = generate(cli, [*DRUM, *flags, "--format", "dxf"], folder, "drum.dxf")
    document = ezdxf.readfile(path)
    auditor = document.audit()
    if auditor.has_errors:
        raise Failure("ezdxf's audit: " + " | ".join(e.message for e in auditor.errors))
    lines = []
    for layer in ("STRIPES", "BASELINE"):
        for entity in document.modelspace().query(f'*[layer=="{layer}"]'):
            if entity.dxftype() != "LINE":
                raise Failure(f"a {entity.dxftype()} on the layer {layer}")
            lines.append((tuple(entity.dxf.start)[:2], tuple(entity.dxf.end)[:2]))
    if len(lines) != len(drum.stripes) + drum.ring:
        raise Failure(f"{len(lines)} lines of stripes and rings")
    count = check_flat_stripes(drum, lines, 0.0005 + 1e-9, "DXF")
    return f"{count} stripes and rings at their unrolled places; audit: 0 errors"


# ---- driver ---------------------------------------------------------------------------------

def template_flags(name):
    """A drum template's scale, read from its file and given again as the flags the checks
    read (the same values)."""
    path = os.path.join(TEMPLATES, name)
    with open(path) as f:
        scale = json.load(f)
    flags = profile_template_flags(path)
    numbers = scale.get("numbers", {})
    if numbers.get("kind"):
        flags += ["--numbers", str(numbers["kind"]), "--number-step", f"{numbers['step']:g}",
                  "--number-first", f"{numbers['first']:g}"]
    if scale.get("marks", {}).get("noDoubleMark"):
        flags.append("--no-double-mark")
    return flags


def drum_templates():
    names = []
    for name in sorted(os.listdir(TEMPLATES)):
        with open(os.path.join(TEMPLATES, name)) as f:
            if name.endswith(".mensora") and json.load(f).get("surface") == "drum":
                names.append(name)
    if not names:
        raise Failure(f"no drum template in {TEMPLATES}")
    return names


def label_of(flags):
    return " ".join(flags)


def checks(reader):
    if reader == "rs274":
        return [(f"{profile} {axis} | {label_of(s)}",
                 lambda cli, folder, s=s, profile=profile, axis=axis:
                 check_drum_program(cli, s, profile, axis, folder))
                for p, profile in enumerate(("rs274", "grblhal"))
                for i, s in enumerate(SCALES) for axis in ["AB"[(i + p) % 2]]] \
            + [(f"grblhal B | {label_of(LARGE)}",
                lambda cli, folder: check_drum_program(cli, LARGE, "grblhal", "B", folder))] \
            + [(f"rs274 A | template {name}",
                lambda cli, folder, name=name: check_drum_program(
                    cli, template_flags(name), "rs274", "A", folder))
               for name in drum_templates()]
    return [(f"{name} | {label_of(s)}", lambda cli, folder, s=s, check=check: check(cli, s, folder))
            for name, check in (("grbl-laser", check_laser), ("svg", check_svg),
                                ("dxf", check_dxf))
            for s in DRAWN]


def missing(reader):
    programs = ["rs274"] + (["rsvg-convert"] if reader == "unrolled" else [])
    absent = [p for p in programs if shutil.which(p) is None]
    if reader == "unrolled":
        try:
            import ezdxf  # noqa: F401
        except ImportError:
            absent.append("python3-ezdxf")
    return absent


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("rs274", "unrolled"):
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    absent = missing(reader)
    if absent:
        print(f"{', '.join(absent)} not installed; skipping")
        return SKIP
    return run_checks(checks(reader), cli)


if __name__ == "__main__":
    sys.exit(main())
