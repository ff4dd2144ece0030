"""The machine profiles' files, read by the real readers (see real_readers.py).

rs274       rs274 reads every rs274, grbl and grbl-laser file exactly as written; its moves are
            ours, its arcs lie on the scale's circle and sweep the total angle, its feeds are the
            settings'; grbl and grbl-laser files keep to GRBL 1.1's words and 80-character lines,
            and a laser has no Z and power above 0 at every burn. Every file is the same under a
            German locale. Every stripe end of a dial, where rs274 holds the tool, and the base
            circle's points lie within half the file's last decimal of the exact points.
hpgl-cutter hp2xx reads every hpgl-cutter file; every coordinate is 0 or more, the lowest are 0,
            the base circle is present on its circle, and an inch scale is 25.4 times the mm one.
travel      "alternate" cuts the same segments as "listed" with less travel.
"""

import json
import math
import os
import re

from real_readers import (FLAT, ROUND, Failure, has_baseline, interpret, our_lines,
                          read_by_hp2xx, run)

# Scales only a machine dialect cuts differently: a total of 0 (no arc), small negative totals
# (a short clockwise arc), totals past a turn (one full circle), inch, a tiny circle.
EXTRA = [
    ["--shape", "round", "--length", "0", "--baseline", "single"],
    ["--shape", "round", "--length", "-0.4", "--distance", "1", "--baseline", "single"],
    ["--shape", "round", "--length", "400", "--distance", "10", "--baseline", "single"],
    ["--shape", "round", "--length", "-400", "--distance", "-10", "--baseline", "single",
     "--start-angle", "30", "--position", "midway"],
    ["--shape", "round", "--length", "270", "--distance", "5", "--baseline", "single",
     "--unit", "inch", "--radius", "1.25", "--stripe1", "0.4", "--stripe2", "0.2",
     "--stripe3", "0.1", "--depth", "-0.004"],
    ["--shape", "round", "--length", "180", "--distance", "90", "--radius", "0.0004",
     "--baseline", "single", "--stripe1", "1"],
    ["--length", "2", "--distance", "0.1", "--unit", "inch", "--baseline", "single",
     "--stripe1", "0.25", "--stripe2", "0.15", "--stripe3", "0.1", "--depth", "-0.004"],
    # Numbers are strokes like any other: cut back and forth, never reversed by the order.
    ["--numbers", "1", "--baseline", "single"],
    ["--shape", "round", "--length", "270", "--distance", "5", "--numbers", "1",
     "--number-font", "timesr", "--baseline", "single", "--position", "midway"],
]
SCALES = FLAT + ROUND + EXTRA

# Settings a profile's file is tried with; every scale meets each profile with one of them.
VARIANTS = [
    [],
    ["--passes", "3", "--order", "alternate"],
    ["--no-line-numbers", "--spindle", "12000", "--feed", "250.5", "--plunge-feed", "30",
     "--safe-z", "2.5", "--power", "300"],
    ["--order", "alternate", "--passes", "2", "--feed", "1200"],
]
# The scales of 32767 stripes meet only the grbl profile (the router writer serves rs274 too),
# with the settings without passes, to keep the time down.
LARGE = ("32766", "327.66")

GRBL_WORDS = {"G0", "G1", "G2", "G3", "G17", "G20", "G21", "G90", "G91.1", "G94",
              "M3", "M5", "M30"}
GRBL_LETTERS = set("NFSXYZIJ")
GRBL_LINE = 80

PRINTED = 0.0001 + 1e-9  # the interpreter prints four decimals; inch files hold five


def half_decimal(flags):
    """Half the last decimal of a file: its words' largest rounding (4 decimals, 5 in inches)."""
    return (0.000005 if "inch" in flags else 0.00005) + 1e-9

LOCALES = [{"LC_ALL": "C.UTF-8"}]
if os.environ.get("MENSORA_LOCPATH"):
    LOCALES.append({"LC_ALL": "de_DE.UTF-8", "LOCPATH": os.environ["MENSORA_LOCPATH"]})


def flag(flags, name, default):
    return flags[flags.index(name) + 1] if name in flags else default


def variant_for(index, flags, offset):
    if any(size in flags for size in LARGE):
        return VARIANTS[2]
    return VARIANTS[(index + offset) % len(VARIANTS)]


def generate(cli, flags, folder, name, locales=LOCALES):
    """Writes the file under every locale; they must be the same. Returns its path."""
    path = os.path.join(folder, name)
    first = None
    for locale in locales:
        made = run([cli, *flags, "-o", path], env=dict(os.environ, **locale))
        if made.returncode != 0:
            raise Failure(f"mensora-cli exited {made.returncode}: {made.stderr.strip()}")
        with open(path, "rb") as f:
            data = f.read()
        if first is not None and data != first:
            raise Failure(f"the file differs under {locale['LC_ALL']}")
        first = data
    return path


# ---- G-code dialects ------------------------------------------------------------------------

WORD = re.compile(r"([A-Z])([-+]?[0-9.]+)")


def blocks(lines):
    """Each line without its number and comment: (words, comment)."""
    for line in lines:
        body = re.sub(r"^N\d+ ", "", line)
        comment = re.search(r"\((.*)\)", body)
        yield body, WORD.findall(re.sub(r"\(.*\)", "", body)), comment.group(1) if comment else None


def expected_motions(lines):
    """The motions our text asks for, in order, with the feed and power in effect."""
    x = y = z = 0.0
    feed = power = None
    motions = []
    for _, words, _ in blocks(lines):
        w = dict(words)
        feed = float(w["F"]) if "F" in w else feed
        power = float(w["S"]) if "S" in w else power
        g = w.get("G")
        if g not in ("0", "1", "2", "3"):
            continue
        start = (x, y, z)
        x = float(w.get("X", x))
        y = float(w.get("Y", y))
        z = float(w.get("Z", z))
        motion = {"kind": {"0": "STRAIGHT_TRAVERSE", "1": "STRAIGHT_FEED"}.get(g, "ARC_FEED"),
                  "end": (x, y, z), "start": start, "feed": feed, "power": power}
        if g in ("2", "3"):
            motion["centre"] = (start[0] + float(w["I"]), start[1] + float(w["J"]))
            motion["rotation"] = 1 if g == "3" else -1
        motions.append(motion)
    return motions


def read_motions(calls):
    out = []
    for _, kind, args in calls:
        if kind == "ARC_FEED":
            out.append((kind, (args[0], args[1], args[5]), (args[2], args[3]), int(args[4])))
        else:
            out.append((kind, tuple(args[:3]), None, None))
    return out


def close(a, b, tolerance=PRINTED):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def turned(start, end, centre, rotation):
    """Degrees an arc turns from start to end around the centre, in its direction."""
    a0 = math.atan2(start[1] - centre[1], start[0] - centre[0])
    a1 = math.atan2(end[1] - centre[1], end[0] - centre[0])
    turn = math.degrees((a1 - a0) * rotation) % 360
    return 360.0 if turn < 1e-6 else turn


def check_arcs(flags, ours):
    """The base circle: on the scale's circle, pieces of at most 180 degrees, the total sweep."""
    arcs = [m for m in ours if m["kind"] == "ARC_FEED"]
    total = float(flag(flags, "--length", "100"))
    radius = abs(float(flag(flags, "--radius", "30")))
    wants_arc = "round" in flags and has_baseline(flags) and total != 0 and radius >= 0.001
    if not wants_arc:
        if arcs:
            raise Failure(f"{len(arcs)} arc lines where no arc belongs")
        return
    centre = (float(flag(flags, "--start-x", "0")), float(flag(flags, "--start-y", "0")))
    passes = int(flag(flags, "--passes", "1"))
    # A point's words are each rounded once, a centre's from the start point and its offset.
    half = half_decimal(flags)
    swept = 0.0
    for arc in arcs:
        if not close(arc["centre"], centre, 2 * half):
            raise Failure(f"arc centre {arc['centre']}, the scale's is {centre}")
        for point in (arc["start"], arc["end"]):
            if abs(math.dist(point[:2], centre) - radius) > math.sqrt(2) * half:
                raise Failure(f"arc point {point} is off the circle of radius {radius}")
        turn = turned(arc["start"], arc["end"], centre, arc["rotation"])
        if turn > 180.01:  # the ends' last decimal turns a half turn by a ten-thousandth
            raise Failure(f"an arc piece turns {turn} degrees")
        swept += turn * arc["rotation"]
    wanted = math.copysign(min(abs(total), 360), total)
    # Passes go back and forth: the odd ones sweep the total, the even ones sweep it back.
    wanted_sum = wanted * (passes % 2)
    if abs(swept - wanted_sum) > 0.01 or abs(sum(abs(turned(a["start"], a["end"], centre,
                                                             a["rotation"])) for a in arcs)
                                             - abs(wanted) * passes) > 0.01:
        raise Failure(f"the arcs sweep {swept} degrees, the total is {total}")


def check_feeds(flags, unit_inch, ours):
    feed = float(flag(flags, "--feed", "4" if unit_inch else "100"))
    plunge = float(flag(flags, "--plunge-feed", "2" if unit_inch else "50"))
    for m in ours:
        if m["kind"] == "STRAIGHT_TRAVERSE":
            continue
        is_plunge = m["kind"] == "STRAIGHT_FEED" and m["start"][:2] == m["end"][:2]
        want = plunge if is_plunge else feed
        if m["feed"] != want:
            raise Failure(f"a {'plunge' if is_plunge else 'cut'} at F{m['feed']}, set {want}")


def check_grbl(lines, laser):
    power = None
    for line, (body, words, comment) in zip(lines, blocks(lines)):
        if len(line) > GRBL_LINE:
            raise Failure(f"a line of {len(line)} characters: {line}")
        if comment is not None and (re.search(r"[?!~()]", comment) or not comment.isascii()):
            raise Failure(f"GRBL acts on the comment: {line}")
        rest = WORD.sub("", re.sub(r"\(.*\)", "", body)).strip()
        if rest:
            raise Failure(f"not a word GRBL reads: {rest!r} in {line}")
        for letter, value in words:
            if letter in "GM":
                word = letter + value
                if word not in GRBL_WORDS and not (laser and word == "M4"):
                    raise Failure(f"{word} is not a GRBL 1.1 word: {line}")
            elif letter not in GRBL_LETTERS:
                raise Failure(f"{letter} is not a GRBL 1.1 letter: {line}")
        w = dict(words)
        power = float(w["S"]) if "S" in w else power
        if laser and "Z" in w:
            raise Failure(f"a Z word in a laser program: {line}")
        if laser and w.get("G") in ("1", "2", "3") and not (power and power > 0):
            raise Failure(f"a burn at power {power}: {line}")


# After every motion, rs274 prints where it holds the tool, in six decimals: shifted away from
# 0, for its messages print a magnitude below a ten-thousandth as 0.
PROBE = b"#1=[#5420+1000]\r\n#2=[#5421+1000]\r\n(DEBUG,#1 #2)\r\n"
MOTION = re.compile(r"(^|\s)G[0-3](\s|$)")


def held_strokes(path, folder, lines):
    """The strokes rs274 cuts, as the points where it holds the tool: each stroke from the end
    of its travel through the end of every feed, run on a copy of our file probed after every
    motion."""
    probed = os.path.join(folder, "probed.ngc")
    with open(probed, "wb") as copy:
        for line in lines:
            copy.write(line.encode("ascii") + b"\r\n" + (PROBE if MOTION.search(line) else b""))
    calls = interpret(probed, folder, messages=True)
    kinds = [kind for _, kind, _ in calls]
    if len(calls) % 2 or "MESSAGE" in kinds[::2] or set(kinds[1::2]) - {"MESSAGE"}:
        raise Failure("rs274 does not say where it holds the tool after every motion")
    strokes = []
    start = None
    feeding = False
    for (_, kind, _), (_, _, held) in zip(calls[::2], calls[1::2]):
        point = (held[0] - 1000, held[1] - 1000)
        if kind == "STRAIGHT_TRAVERSE":
            start, feeding = point, False
            continue
        if not feeding:
            strokes.append([start])
            feeding = True
        strokes[-1].append(point)
    return strokes


def exact_stripe_ends(cli, flags):
    """Each stripe's inner and outer end, worked out from the scale's inputs: the centre, the
    radius, the stripe's angle, and the offsets of its kind's length at its position."""
    listed = run([cli, *flags, "--sequence"])
    sequence = listed.stdout.strip()
    if listed.returncode != 0 or not sequence:
        raise Failure(f"mensora-cli --sequence exited {listed.returncode}")
    centre = (float(flag(flags, "--start-x", "0")), float(flag(flags, "--start-y", "0")))
    radius = float(flag(flags, "--radius", "30"))
    start = float(flag(flags, "--start-angle", "0"))
    step = float(flag(flags, "--distance", "1"))
    position = flag(flags, "--position", "above")
    turn = -1 if "--clockwise" in flags else 1
    ends = []
    for i, kind in enumerate(sequence):
        length = float(flag(flags, f"--stripe{kind}", "10 5 3 10 5 3".split()[int(kind) - 1]))
        offsets = {"above": (0, length), "midway": (-length / 2, length / 2),
                   "under": (-length, 0)}[position]
        angle = math.radians(start + turn * i * step)
        ends.append(tuple((centre[0] + (radius + o) * math.cos(angle),
                           centre[1] + (radius + o) * math.sin(angle)) for o in offsets))
    return ends


def check_stripe_ends(cli, flags, path, folder, lines):
    """Every stripe of a dial is cut between its two exact ends, to half the last decimal."""
    ends = exact_stripe_ends(cli, flags)
    strokes = held_strokes(path, folder, lines)
    if len(strokes) < len(ends):
        raise Failure(f"{len(strokes)} strokes cut, {len(ends)} stripes")
    half = half_decimal(flags)
    worst = 0.0
    for number, (stroke, wanted) in enumerate(zip(strokes, ends)):
        for point in stroke:
            off = min(max(abs(p - q) for p, q in zip(point, end)) for end in wanted)
            if off > half:
                raise Failure(f"stripe {number}: the tool at {point}, the stripe's ends are "
                              f"{wanted}")
            worst = max(worst, off)
        for end in wanted:
            if not any(close(point, end, half) for point in stroke):
                raise Failure(f"stripe {number} does not reach its end {end}")
    return f", stripe ends within {worst:.2e}"


def check_rs274_file(cli, flags, profile, folder):
    path = generate(cli, [*flags, "--profile", profile], folder, "scale.ngc")
    lines = our_lines(path)
    calls = interpret(path, folder)  # the file as written, nothing in front
    ours = expected_motions(lines)
    read = read_motions(calls)
    if len(read) != len(ours):
        raise Failure(f"{len(read)} motions read, {len(ours)} written")
    for number, (mine, (kind, end, centre, rotation)) in enumerate(zip(ours, read), 1):
        if kind != mine["kind"] or not close(end, mine["end"]):
            raise Failure(f"motion {number}: read {kind} {end}, written {mine['kind']} "
                          f"{mine['end']}")
        if centre is not None and (not close(centre, mine["centre"])
                                   or rotation != mine["rotation"]):
            raise Failure(f"motion {number}: centre {centre}, written {mine['centre']}")
    first = ours[0] if ours else None
    if profile != "grbl-laser" and first and (first["kind"] != "STRAIGHT_TRAVERSE"
                                              or first["end"][:2] != (0.0, 0.0)):
        raise Failure("the tool does not rise to the safe height before it travels")
    check_arcs(flags, ours)
    if profile != "grbl-laser":
        check_feeds(flags, "inch" in flags, ours)
    if profile.startswith("grbl"):
        check_grbl(lines, profile == "grbl-laser")
    ends = check_stripe_ends(cli, [*flags, "--profile", profile], path, folder, lines) \
        if "round" in flags else ""
    return f"{len(lines)} lines, {len(read)} motions{ends}"


# ---- plot -----------------------------------------------------------------------------------

POINT = re.compile(r"P([UD])(\d+),(\d+);")


def cutter_points(lines):
    points = []
    for line in lines[2:-1]:
        m = POINT.fullmatch(line)
        if not m:
            raise Failure(f"not a pen move: {line}")
        points.append((m.group(1) == "D", int(m.group(2)), int(m.group(3))))
    if lines[:2] != ["IN;", "SP1;"] or lines[-1] != "PU;SP0;":
        raise Failure("the file does not open with IN; SP1; and close with PU;SP0;")
    return points


def check_base_circle(cli, flags, points):
    total = float(flag(flags, "--length", "100"))
    radius = abs(float(flag(flags, "--radius", "30")))
    if not ("round" in flags and has_baseline(flags) and total != 0 and radius >= 0.001):
        return
    factor = 1016 if "inch" in flags else 40
    x1, y1 = exact_stripe_ends(cli, flags)[0][0]  # where the first stripe begins
    shift = (round(x1 * factor) - points[0][1], round(y1 * factor) - points[0][2])
    centre = (float(flag(flags, "--start-x", "0")) * factor - shift[0],
              float(flag(flags, "--start-y", "0")) * factor - shift[1])
    circle = radius * factor
    # The base circle: a stroke whose every point lies on the circle (numbers may follow it).
    strokes = []
    for pen_down, x, y in points:
        if not pen_down:
            strokes.append([])
        strokes[-1].append((x, y))
    on_circle = [s for s in strokes if len(s) >= 2
                 and all(abs(math.dist(p, centre) - circle) <= 1 for p in s)]
    if not on_circle:
        raise Failure("no base circle")
    stroke = max(on_circle, key=len)
    swept = 0.0
    for a, b in zip(stroke, stroke[1:]):
        for t in (0, 0.25, 0.5, 0.75, 1):
            point = (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)
            if abs(math.dist(point, centre) - circle) > 1 + 1e-9:
                raise Failure(f"the base circle strays from its circle at {point}")
        turn = math.atan2(b[1] - centre[1], b[0] - centre[0]) \
            - math.atan2(a[1] - centre[1], a[0] - centre[0])
        swept += math.degrees((turn + math.pi) % (2 * math.pi) - math.pi)
    wanted = math.copysign(min(abs(total), 360), total)
    if abs(swept - wanted) > math.degrees(2 / circle) + 1e-6:
        raise Failure(f"the base circle sweeps {swept} degrees, the total is {total}")


def check_cutter_file(cli, flags, folder):
    path = generate(cli, [*flags, "--profile", "hpgl-cutter"], folder, "scale.plt")
    lines = our_lines(path)
    # The closing line holds two commands.
    read_by_hp2xx(path, folder, len(lines) + 1)
    points = cutter_points(lines)
    if points:
        if min(p[1] for p in points) != 0 or min(p[2] for p in points) != 0:
            raise Failure("the drawing is not moved to 0, 0")
        check_base_circle(cli, flags, points)
    return f"{len(lines)} lines, {sum(p[0] for p in points)} pen-down points"


def check_inch_scale(cli, flags, folder):
    """The same numbers in inches draw 25.4 times as large (stripes only: chords differ)."""
    sizes = []
    for unit in ("mm", "inch"):
        args = [*flags, "--unit", unit, "--baseline", "none", "--profile", "hpgl-cutter"]
        path = generate(cli, args, folder, f"{unit}.plt")
        sizes.append(cutter_points(our_lines(path)))
    mm, inch = sizes
    if len(mm) != len(inch):
        raise Failure("the inch and mm drawings have different strokes")
    for a, b in zip(mm, inch):
        if abs(b[1] - 25.4 * a[1]) > 26.4 or abs(b[2] - 25.4 * a[2]) > 26.4:
            raise Failure(f"inch point {b[1:]} is not 25.4 times mm point {a[1:]}")
    return f"{len(mm)} points 25.4 times as far in inches"


# ---- travel order ---------------------------------------------------------------------------

def cuts_and_travel(cli, flags, order, folder):
    path = generate(cli, [*flags, "--profile", "rs274", "--order", order], folder,
                    f"{order}.ngc")
    calls = read_motions(interpret(path, folder))
    position = (0.0, 0.0, 0.0)
    cuts = []
    travel = 0.0
    for kind, end, _, _ in calls:
        if kind == "STRAIGHT_TRAVERSE":
            travel += math.dist(position[:2], end[:2])
        elif kind == "STRAIGHT_FEED" and position[:2] != end[:2]:
            cuts.append(tuple(sorted([tuple(round(v, 4) for v in position[:2]),
                                      tuple(round(v, 4) for v in end[:2])])))
        position = end
    return sorted(cuts), travel


def check_travel(cli, flags, folder):
    listed_cuts, listed = cuts_and_travel(cli, flags, "listed", folder)
    alternate_cuts, alternate = cuts_and_travel(cli, flags, "alternate", folder)
    if listed_cuts != alternate_cuts:
        raise Failure("the orders cut different segments")
    if alternate > listed + 1e-9 or (not flags and not alternate < listed):
        raise Failure(f"travel {alternate:.4f} back and forth, {listed:.4f} as listed")
    saved = listed - alternate
    share = 100 * saved / listed if listed else 0
    return f"travel {listed:.1f} as listed, {alternate:.1f} back and forth: {saved:.1f} " \
           f"saved ({share:.0f}%)"


# The scale files shipped under File, "New from template". The checks read the scale from the
# flags, so each file's boxes are given again as flags after --scale (the same values). A job's
# flags restate its first scale, which they change, and which its program cuts first. Scales of
# values stand where their laws put them: job_readers.py reads those templates.
TEMPLATES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "templates")
BOX_FLAGS = {"length": "--length", "distance": "--distance", "package": "--package",
             "startX": "--start-x", "startY": "--start-y", "depth": "--depth",
             "radius": "--radius", "startAngle": "--start-angle", "shape": "--shape",
             "unit": "--unit", "baseline": "--baseline", "stripePosition": "--position"}


def template_flags(path):
    with open(path) as f:
        scale = json.load(f)
    scale = scale.get("scales", [scale])[0]
    flags = [word for key, option in BOX_FLAGS.items() for word in (option, scale[key])]
    for kind, length in enumerate(scale["stripeLengths"], 1):
        flags += [f"--stripe{kind}", length]
    if scale.get("labels", {}).get("clockwise"):
        flags.append("--clockwise")
    return ["--scale", path, *flags]


def on_drum(name):
    with open(os.path.join(TEMPLATES, name)) as f:
        return json.load(f).get("surface") == "drum"


def of_values(name):
    with open(os.path.join(TEMPLATES, name)) as f:
        job = json.load(f)
    return "spacing" in job.get("scales", [job])[0]


def template_checks():
    """Every template's program of a face or a ruler under the rs274 profile, read by rs274
    (drum_readers.py reads the drums')."""
    names = sorted(n for n in os.listdir(TEMPLATES)
                   if n.endswith(".mensora") and not on_drum(n) and not of_values(n))
    if len(names) < 5:
        raise Failure(f"{len(names)} templates in {TEMPLATES}")
    return [(f"rs274 template {name}",
             lambda cli, folder, name=name: check_rs274_file(
                 cli, template_flags(os.path.join(TEMPLATES, name)), "rs274", folder))
            for name in names]


def checks(reader):
    """The (label, function(cli, folder) -> summary) pairs of a reader."""
    if reader == "rs274":
        return [(f"{profile} {' '.join(variant_for(i, s, p))} | {' '.join(s) or '(defaults)'}",
                 lambda cli, folder, s=s, v=variant_for(i, s, p), profile=profile:
                 check_rs274_file(cli, [*s, *v], profile, folder))
                for p, profile in enumerate(("rs274", "grbl", "grbl-laser"))
                for i, s in enumerate(SCALES)
                if profile == "grbl" or not any(size in s for size in LARGE)] \
            + template_checks()
    if reader == "hpgl-cutter":
        files = [(f"{' '.join(s) or '(defaults)'}",
                  lambda cli, folder, s=s, i=i: check_cutter_file(
                      cli, [*s, *(["--order", "alternate"] if i % 2 else [])], folder))
                 for i, s in enumerate(SCALES)]
        inch = [(f"inch {' '.join(s) or '(defaults)'}",
                 lambda cli, folder, s=s: check_inch_scale(cli, s, folder))
                for s in (FLAT[0], FLAT[2], ROUND[0], ROUND[6])]
        return files + inch
    return [(' '.join(s) or '(defaults)', lambda cli, folder, s=s: check_travel(cli, s, folder))
            for s in FLAT + ROUND if not any(size in s for size in LARGE)]
