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


class Failure(Exception):
    pass


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


def interpret(program, folder):
    """Runs rs274 in batch mode on the program; returns its motion calls in order."""
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
    return calls


def close(a, b):
    return abs(a - b) <= PRINTED


def check_gcode(cli, flags, folder):
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
        position = args[:2] + [args[5] if kind == "ARC_FEED" else args[2]]

    # Every engraved move is a stripe's or the baseline's cut: the third line of its four.
    wanted = stripes + (1 if has_baseline(flags) else 0)
    if len(engraved) != wanted or any(n % 4 != 3 for n in engraved):
        raise Failure(f"{len(engraved)} engraved moves, {wanted} stripes and baselines")
    return f"{len(lines)} lines, {len(engraved)} engraved moves"


def check_arc_radii(label, start, args):
    end_x, end_y, centre_x, centre_y = args[:4]
    r_start = math.hypot(start[0] - centre_x, start[1] - centre_y)
    r_end = math.hypot(end_x - centre_x, end_y - centre_y)
    if abs(r_start - r_end) > ARC_RADII:
        raise Failure(f"N{label}: arc radii {r_start} and {r_end} differ")


# ---- plot -----------------------------------------------------------------------------------

def our_strokes(lines):
    points = []
    pen_down = 0
    for line in lines:
        m = re.fullmatch(r"P([UD])(-?\d+) (-?\d+);", line)
        if m:
            points.append((int(m.group(2)), int(m.group(3))))
            pen_down += m.group(1) == "D"
    return pen_down, points


# hp2xx exits 0 even on garbage; its log says what it made of the file. Its statistics and
# the notice that a zero-length stroke draws nothing are not complaints.
COMPLAINT = re.compile(r"error|warning|ignored|illegal|invalid|unexpected|unknown|cannot", re.I)
NO_COMPLAINT = re.compile(
    r"HPGL command\(s\) ignored: 0|Unexpected event\(s\):\s+0|"
    r"Warning: Zero line segment length -- skipped")


def complaints_in(log):
    return [line.strip() for line in re.split(r"[\r\n]+", log)
            if COMPLAINT.search(NO_COMPLAINT.sub("", line))]


def check_plot(cli, flags, folder):
    path, stripes = generate(cli, flags, "plot", folder)
    lines = our_lines(path)
    rendered = os.path.join(folder, "rendered.hpgl")
    done = run(["hp2xx", "-m", "hpgl", "-f", rendered, path], cwd=folder)
    log = done.stderr + done.stdout
    complaints = complaints_in(log)
    if done.returncode != 0 or complaints:
        raise Failure(f"hp2xx exited {done.returncode}: {' | '.join(complaints)}")
    read = int(re.search(r"HPGL commands read: (\d+)", log).group(1))
    if read != len(lines):
        raise Failure(f"hp2xx read {read} commands, the file has {len(lines)}")

    pen_down, points = our_strokes(lines)
    wanted = stripes + (1 if has_baseline(flags) and "round" not in flags else 0)
    skipped = log.count("Zero line segment length")
    with open(rendered) as f:
        drawn = sum(len(re.findall(r"[-\d.]+,[-\d.]+", c)) for c in f.read().split(";")
                    if c.startswith("PD"))
    if not pen_down == wanted == drawn + skipped:
        raise Failure(f"{drawn} strokes drawn + {skipped} of zero length; we wrote {pen_down} "
                      f"for {wanted} stripes and baselines")
    if points:
        check_range(log, points)
    return f"{len(lines)} lines, {drawn} strokes drawn, {skipped} of zero length skipped"


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
        return [(' '.join(flags) or '(defaults)',
                 lambda cli, folder, flags=flags: check(cli, flags, folder))
                for flags in FLAT + ROUND]
    # The profiles' checks take their helpers and Failure from this very module.
    sys.modules.setdefault("real_readers", sys.modules[__name__])
    import profile_readers
    return profile_readers.checks(reader)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in READERS:
        print(__doc__, file=sys.stderr)
        return 2
    reader, cli = sys.argv[1], sys.argv[2]
    program = READERS[reader]
    if shutil.which(program) is None:
        print(f"{program} is not installed; skipping")
        return SKIP
    for label, check in checks_of(reader):
        with tempfile.TemporaryDirectory(prefix="mensora-reader-") as folder:
            try:
                summary = check(cli, folder)
            except Failure as failure:
                print(f"FAIL {label}: {failure}")
                return 1
        print(f"ok   {label}: {summary}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
