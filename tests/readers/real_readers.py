#!/usr/bin/env python3
"""Feeds the files mensora-cli writes to real readers and checks what they make of them.

    real_readers.py gcode MENSORA_CLI        the G-code interpreter rs274 (linuxcnc-uspace)
    real_readers.py plot MENSORA_CLI         the plot converter hp2xx
    real_readers.py rs274 MENSORA_CLI        rs274 on the G-code machine profiles' files
    real_readers.py hpgl-cutter MENSORA_CLI  hp2xx on the hpgl-cutter profile's files
    real_readers.py travel MENSORA_CLI       the travel orders compared through rs274

The machine profiles' checks are in profile_readers.py; with MENSORA_LOCPATH set (a folder
holding de_DE.UTF-8) every profile file is also written under a German locale.

Exit status 0 when every scale passes, 1 on the first failure, 77 when the reader is not
installed (CTest reports the test as skipped).
"""

import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77

# Our programs name absolute arc centres and carry no feed word; the interpreter gets a copy
# with this line in front, our own file stays as written.
GCODE_SETUP = "G17 G21 G90 G90.1 G94 F100"

# The interpreter prints four decimals.
PRINTED = 0.00005 + 1e-9
ARC_RADII = 0.002

# Scales that exercise every branch of both layouts; each is a list of mensora-cli flags.
FLAT = [
    [],
    ["--baseline", "single"],
    ["--position", "midway", "--baseline", "single"],
    ["--position", "under", "--baseline", "single"],
    ["--position", "midway"],
    ["--position", "under"],
    ["--length", "-50", "--distance", "-0.5", "--baseline", "single"],
    ["--start-x", "12.5", "--start-y", "-3", "--depth", "-0.25", "--baseline", "single",
     "--position", "midway", "--unit", "inch"],
    ["--length", "7", "--distance", "0.25", "--package", "16", "--stripe6", "1.5"],
    ["--length", "32766", "--baseline", "single", "--package", "123"],
]
ROUND = [
    ["--shape", "round"],
    ["--shape", "round", "--baseline", "single"],
    ["--shape", "round", "--baseline", "single", "--position", "midway"],
    ["--shape", "round", "--baseline", "single", "--position", "under"],
    ["--shape", "round", "--length", "-90", "--distance", "-1", "--baseline", "single"],
    ["--shape", "round", "--start-angle", "90", "--baseline", "single"],
    ["--shape", "round", "--start-angle", "-37.5", "--start-x", "10", "--start-y", "-20",
     "--radius", "45.5", "--baseline", "single", "--position", "midway"],
    ["--shape", "round", "--length", "360", "--distance", "10", "--baseline", "single"],
    ["--shape", "round", "--length", "-270", "--distance", "-0.5", "--baseline", "single",
     "--position", "under", "--start-angle", "45"],
    ["--shape", "round", "--length", "32766", "--radius", "1000", "--baseline", "single",
     "--package", "1333323333"],
    ["--shape", "round", "--length", "327.66", "--distance", "0.01", "--radius", "200",
     "--baseline", "single"],
]

# Numbered scales: the flags, the font, and the texts of the numbers in order. The strokes a
# reader must see are counted from the font's .jhf file, not from our output.
NUMBERED = [
    (["--numbers", "1"], "futural", [str(v) for v in range(0, 101, 10)]),
    (["--numbers", "2", "--position", "under", "--number-first", "5", "--number-step", "-2.5",
      "--number-decimals", "2", "--number-prefix", "-", "--number-suffix", " mm",
      "--baseline", "single"],
     "futural", [f"-{5 - 2.5 * n:.2f} mm" for n in range(10)]),
    (["--shape", "round", "--length", "360", "--distance", "2", "--numbers", "1",
      "--no-double-mark", "--number-font", "timesr", "--baseline", "single"],
     "timesr", [str(v) for v in range(0, 360, 20)]),
    (["--shape", "round", "--numbers", "1", "--number-orientation", "level", "--number-font",
      "gothgbt", "--start-angle", "45", "--unit", "inch", "--number-height", "2",
      "--position", "midway"],
     "gothgbt", [str(v) for v in range(0, 101, 10)]),
    (["--package", "12", "--length", "15", "--distance", "0.5", "--end-on-total", "--numbers",
      "1", "--number-step", "1", "--number-decimals", "0", "--number-font", "scripts"],
     "scripts", [str(v) for v in range(16)]),
]
FONTS = "/usr/share/hershey-fonts"


class Failure(Exception):
    pass


def glyph_strokes(font):
    """The number of strokes of every printable character of a .jhf font, by character."""
    with open(os.path.join(FONTS, font + ".jhf"), encoding="ascii") as f:
        text = f.read()
    strokes = {}
    lines = iter(text.splitlines())
    for code in range(32, 127):
        line = next(lines)
        pairs = line[8:]
        needed = 2 * int(line[5:8])
        while len(pairs) < needed:
            pairs += next(lines)
        body = pairs[2:needed]
        strokes[chr(code)] = len([s for s in body.split(" R") if s])
    return strokes


def number_strokes(font, labels):
    if font is None:
        return 0
    strokes = glyph_strokes(font)
    return sum(strokes[c] for label in labels for c in label)


def run(command, **kwargs):
    """Runs a program to its end; its output as text."""
    return subprocess.run(command, capture_output=True, text=True, errors="replace",
                          timeout=300, **kwargs)


def generate(cli, flags, fmt, folder):
    """Writes the scale with mensora-cli; returns its path and the number of stripes."""
    path = os.path.join(folder, "scale.din" if fmt == "gcode" else "scale.plt")
    made = run([cli, *flags, "--format", fmt, "-o", path])
    if made.returncode != 0:
        raise Failure(f"mensora-cli exited {made.returncode}: {made.stderr.strip()}")
    sequence = run([cli, *flags, "--format", fmt, "--sequence"])
    if sequence.returncode != 0:
        raise Failure(f"mensora-cli --sequence exited {sequence.returncode}")
    return path, len(sequence.stdout.strip())


def our_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.endswith(b"\r\n"):
        raise Failure("our file does not end in CR LF")
    return data[:-2].decode("ascii").split("\r\n")


def has_baseline(flags):
    return "--baseline" in flags and flags[flags.index("--baseline") + 1] == "single"


# ---- G-code ---------------------------------------------------------------------------------

def words(text):
    """The letter words of a G-code line: {"G": "1", "X": "2.5", ...}."""
    return {m.group(1): m.group(2) for m in re.finditer(r"([A-Z])(\S*)", text)}


def expected_motions(lines):
    """What each of our lines asks of the machine, by line number, from our own text."""
    x = y = z = None
    motions = {}
    for line in lines:
        number, body = re.fullmatch(r"N(\d+) (.*)", line).groups()
        w = words(body)
        if "M" in w:
            continue
        x = float(w["X"]) if "X" in w else x
        y = float(w["Y"]) if "Y" in w else y
        z = float(w["Z"]) if "Z" in w else z
        kind = {"0": "STRAIGHT_TRAVERSE", "1": "STRAIGHT_FEED", "2": "ARC_FEED",
                "3": "ARC_FEED"}[w["G"]]
        if kind == "ARC_FEED":
            rotation = 1 if w["G"] == "3" else -1
            motions[int(number)] = (kind, [x, y, float(w["I"]), float(w["J"]), rotation, z])
        else:
            motions[int(number)] = (kind, [x, y, z])
    return motions


CANON = re.compile(r"\s*\d+ N(\d+|\.+)\s*([A-Z_]+)\((.*)\)\s*")


def interpret(program, folder, messages=False):
    """Runs rs274 in batch mode on the program; returns its motion calls in order, with
    `messages` also the numbers of each message the program prints (a DEBUG comment)."""
    home = os.path.join(folder, "home")
    os.makedirs(home, exist_ok=True)
    for name in ("tool.tbl", "params.var"):
        open(os.path.join(folder, name), "w").close()
    output = os.path.join(folder, "canon.txt")
    env = dict(os.environ, HOME=home)
    done = run(["rs274", "-g", "-t", "tool.tbl", "-v", "params.var", program, output],
               cwd=folder, env=env)
    complaints = [l for l in done.stderr.splitlines() if l.strip() not in ("", "executing")]
    if done.returncode != 0 or complaints:
        raise Failure(f"rs274 exited {done.returncode}: {' | '.join(complaints)}")
    calls = []
    with open(output) as f:
        for line in f:
            m = CANON.fullmatch(line)
            if m and m.group(2) in ("STRAIGHT_TRAVERSE", "STRAIGHT_FEED", "ARC_FEED"):
                args = [float(a) for a in m.group(3).split(",")]
                calls.append((m.group(1), m.group(2), args))
            elif m and messages and m.group(2) == "MESSAGE":
                args = [float(a) for a in m.group(3).strip('"').split()]
                calls.append((m.group(1), m.group(2), args))
    return calls


def close(a, b):
    return abs(a - b) <= PRINTED


def check_gcode(cli, flags, folder, numbers):
    path, stripes = generate(cli, flags, "gcode", folder)
    lines = our_lines(path)
    program = os.path.join(folder, "with_setup.ngc")
    with open(path, "rb") as ours, open(program, "wb") as copy:
        copy.write(GCODE_SETUP.encode("ascii") + b"\r\n" + ours.read())
    expected = expected_motions(lines)
    calls = interpret(program, folder)

    if len(calls) != len(expected):
        raise Failure(f"{len(calls)} motions read, {len(expected)} written")
    position = None
    engraved = []
    plunges = []
    for label, kind, args in calls:
        want_kind, want = expected[int(label)]
        if kind != want_kind:
            raise Failure(f"N{label}: read as {kind}, written as {want_kind}")
        got = args[:5] + [args[5]] if kind == "ARC_FEED" else args[:3]
        if not all(close(g, w) for g, w in zip(got, want)):
            raise Failure(f"N{label}: read {got}, written {want}")
        if kind == "ARC_FEED":
            check_arc_radii(label, position, args)
        is_plunge = kind == "STRAIGHT_FEED" and position is not None \
            and position[:2] == args[:2] and position[2] != args[2]
        if kind != "STRAIGHT_TRAVERSE" and not is_plunge:
            engraved.append(int(label))
        if is_plunge:
            plunges.append(int(label))
        position = args[:2] + [args[5] if kind == "ARC_FEED" else args[2]]

    # Up to the numbers, every engraved move is a stripe's or the baseline's cut: the third
    # line of its four. Every stroke, numbers included, begins with a plunge.
    wanted = stripes + (1 if has_baseline(flags) else 0)
    scale = [n for n in engraved if n <= 4 * wanted]
    if len(scale) != wanted or any(n % 4 != 3 for n in scale):
        raise Failure(f"{len(scale)} engraved moves, {wanted} stripes and baselines")
    if len(plunges) != wanted + numbers:
        raise Failure(f"{len(plunges)} strokes read, {wanted} stripes and baselines and "
                      f"{numbers} strokes of numbers written")
    return f"{len(lines)} lines, {len(engraved)} engraved moves, {len(plunges)} strokes"


def check_arc_radii(label, start, args):
    end_x, end_y, centre_x, centre_y = args[:4]
    r_start = math.hypot(start[0] - centre_x, start[1] - centre_y)
    r_end = math.hypot(end_x - centre_x, end_y - centre_y)
    if abs(r_start - r_end) > ARC_RADII:
        raise Failure(f"N{label}: arc radii {r_start} and {r_end} differ")


# ---- plot -----------------------------------------------------------------------------------

def our_strokes(lines):
    """Pen-down lines, points, and the pen moves: ("U" or "D", point) in order."""
    points = []
    moves = []
    for line in lines:
        m = re.fullmatch(r"P([UD])(-?\d+) (-?\d+);", line)
        if m:
            point = (int(m.group(2)), int(m.group(3)))
            points.append(point)
            moves.append((m.group(1), point))
    return sum(pen == "D" for pen, _ in moves), points, moves


def rendered_moves(rendered):
    """The pen moves of hp2xx's own HP-GL output."""
    moves = []
    for command in rendered.split(";"):
        if command[:2] in ("PU", "PD"):
            numbers = re.findall(r"[-\d.]+", command[2:])
            moves += [(command[1], (numbers[i], numbers[i + 1]))
                      for i in range(0, len(numbers) - 1, 2)]
    return moves


def drawn_strokes(moves):
    """The strokes a reader sees: runs of pen-down moves that go somewhere. Lifting and setting
    down on the point where the pen is goes on with the same run (hp2xx cuts long strokes so),
    and a pen-down move to where the pen is draws nothing."""
    count = 0
    down = False
    at = None
    for pen, point in moves:
        if pen == "U":
            down = down and point == at
        elif point != at and not down:
            count += 1
            down = True
        at = point
    return count


# hp2xx exits 0 even on garbage; its log says what it made of the file. Its statistics and
# the notice that a zero-length stroke draws nothing are not complaints.
COMPLAINT = re.compile(r"error|warning|ignored|illegal|invalid|unexpected|unknown|cannot", re.I)
NO_COMPLAINT = re.compile(
    r"HPGL command\(s\) ignored: 0|Unexpected event\(s\):\s+0|"
    r"Warning: Zero line segment length -- skipped")


def complaints_in(log):
    return [line.strip() for line in re.split(r"[\r\n]+", log)
            if COMPLAINT.search(NO_COMPLAINT.sub("", line))]


def read_by_hp2xx(path, folder, commands):
    """Renders the plot file with hp2xx; returns its log and the rendered file's path."""
    rendered = os.path.join(folder, "rendered.hpgl")
    done = run(["hp2xx", "-m", "hpgl", "-f", rendered, path], cwd=folder)
    log = done.stderr + done.stdout
    complaints = complaints_in(log)
    if done.returncode != 0 or complaints:
        raise Failure(f"hp2xx exited {done.returncode}: {' | '.join(complaints)}")
    read = int(re.search(r"HPGL commands read: (\d+)", log).group(1))
    if read != commands:
        raise Failure(f"hp2xx read {read} commands, the file has {commands}")
    return log, rendered


def check_plot(cli, flags, folder, numbers):
    path, stripes = generate(cli, flags, "plot", folder)
    lines = our_lines(path)
    log, rendered = read_by_hp2xx(path, folder, len(lines))

    pen_down, points, moves = our_strokes(lines)
    wanted = stripes + (1 if has_baseline(flags) and "round" not in flags else 0)
    skipped = log.count("Zero line segment length")
    with open(rendered) as f:
        output = f.read()
    drawn = sum(len(re.findall(r"[-\d.]+,[-\d.]+", c)) for c in output.split(";")
                if c.startswith("PD"))
    if not pen_down == drawn + skipped:
        raise Failure(f"{drawn} segments drawn + {skipped} of zero length; we wrote {pen_down}")
    strokes = sum(pen == "U" for pen, _ in moves)
    if strokes != wanted + numbers:
        raise Failure(f"we wrote {strokes} strokes for {wanted} stripes and baselines and "
                      f"{numbers} strokes of numbers")
    seen = drawn_strokes(rendered_moves(output))
    if seen != drawn_strokes(moves):
        raise Failure(f"hp2xx drew {seen} strokes, ours draw {drawn_strokes(moves)}")
    if points:
        check_range(log, points)
    return f"{len(lines)} lines, {drawn} segments and {seen} strokes drawn, {skipped} skipped"


def check_range(log, points):
    m = re.search(r"Coordinate range: \((\S+), (\S+)\) \.\.\. \((\S+), (\S+)\)", log)
    got = [float(v) for v in m.groups()]
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    want = [min(xs), min(ys), max(xs), max(ys)]
    if got != want:
        raise Failure(f"hp2xx sees the range {got}, our points span {want}")


# ---- driver ---------------------------------------------------------------------------------

READERS = {"gcode": "rs274", "plot": "hp2xx", "rs274": "rs274", "hpgl-cutter": "hp2xx",
           "travel": "rs274"}


def checks_of(reader):
    """(label, function(cli, folder) -> summary) for every file the reader gets."""
    if reader in ("gcode", "plot"):
        check = check_gcode if reader == "gcode" else check_plot
        cases = [(flags, None, []) for flags in FLAT + ROUND] + NUMBERED
        return [(' '.join(flags) or '(defaults)',
                 lambda cli, folder, flags=flags, font=font, labels=labels:
                 check(cli, flags, folder, number_strokes(font, labels)))
                for flags, font, labels in cases]
    # The profiles' checks take their helpers and Failure from this very module.
    sys.modules.setdefault("real_readers", sys.modules[__name__])
    import profile_readers
    return profile_readers.checks(reader)


def run_checks(checks, cli):
    """Runs every check in a fresh folder, saying how each went; returns the exit status."""
    for label, check in checks:
        with tempfile.TemporaryDirectory(prefix="mensora-reader-") as folder:
            try:
                summary = check(cli, folder)
            except Failure as failure:
                print(f"FAIL {label}: {failure}")
                return 1
        print(f"ok   {label}: {summary}")
    return 0


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in READERS:
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    program = READERS[reader]
    if shutil.which(program) is None:
        print(f"{program} is not installed; skipping")
        return SKIP
    return run_checks(checks_of(reader), cli)


if __name__ == "__main__":
    sys.exit(main())
