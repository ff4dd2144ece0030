#!/usr/bin/env python3
"""Runs two builds of mensora-cli side by side on random scales and counts where they differ.

    compare-builds.py [--new-option=OPTION ...] OLD_CLI NEW_CLI [COUNT] [SEED]

Each case is a random command line: shape, unit, surface, options, box texts (odd ones too),
numbers, every format and profile, machine settings, --stats and --sequence. A case agrees when
the file, standard output, standard error and exit status are the same. The first few
differences are printed with their command lines. Each --new-option is given to the new build
only (--new-option=--quiet leaves out the notes a newer build says on standard error). The files
written are counted apart: how many cases wrote one in both builds, and how many of those agree.
"""

import os
import random
import subprocess
import sys
import tempfile

TEXTS = ["0", "1", "2.5", "-1", "10", "12,5", "x", "", " 3 ", "1e3", "0.0085", "100mm", "-0.3"]


def number(rng, low, high, decimals=3):
    return str(round(rng.uniform(low, high), rng.choice([0, 1, decimals])))


def random_case(rng):
    args = []
    round_shape = rng.random() < 0.4
    args += ["--shape", "round" if round_shape else "flat"]
    if round_shape:
        args += ["--length", rng.choice(["360", "270", "-270", "180", "90", number(rng, -400, 400)])]
        args += ["--distance", rng.choice(["1", "5", "10", "-27", "3.6", number(rng, -30, 30)])]
        args += ["--radius", rng.choice(["30", "20", "0", number(rng, -5, 80)])]
        args += ["--start-angle", rng.choice(["0", "90", "225", number(rng, -360, 360)])]
        if rng.random() < 0.2:
            args += ["--surface", "drum", "--rotary-axis", rng.choice(["A", "B"])]
    else:
        args += ["--length", rng.choice(["100", "150", "12", "0", number(rng, -300, 300)])]
        args += ["--distance", rng.choice(["1", "0.5", "0.0625", "-1", number(rng, -10, 10)])]
    if rng.random() < 0.3:
        args += ["--" + rng.choice(["length", "distance", "stripe1", "stripe3", "start-x",
                                    "depth", "package"]), rng.choice(TEXTS)]
    if rng.random() < 0.5:
        args += ["--package", "".join(rng.choice("123456") for _ in range(rng.randint(1, 16)))]
    for kind in range(1, 7):
        if rng.random() < 0.15:
            args += [f"--stripe{kind}", number(rng, -5, 20)]
    for option, low, high in (("--start-x", -50, 50), ("--start-y", -50, 50)):
        if rng.random() < 0.3:
            args += [option, number(rng, low, high)]
    if rng.random() < 0.3:
        args += ["--depth", rng.choice(["-0.1", "-0.3", "-2", "0", "-0.004", "x"])]
    args += ["--unit", rng.choice(["mm", "inch"])]
    args += ["--baseline", rng.choice(["none", "single"])]
    args += ["--position", rng.choice(["above", "midway", "under"])]
    if rng.random() < 0.4:
        args += ["--numbers", str(rng.randint(0, 6))]
        if rng.random() < 0.5:
            args += ["--number-step", number(rng, -20, 20)]
        if rng.random() < 0.3:
            args += ["--number-orientation", rng.choice(["dial", "level"])]
    if rng.random() < 0.15:
        args += ["--end-on-total"]
    if rng.random() < 0.15:
        args += ["--no-double-mark"]
    profile = rng.choice(["plain", "plain", "rs274", "grbl", "grbl-laser", "hpgl-cutter",
                          "grblhal"])
    args += ["--profile", profile]
    if rng.random() < 0.5:
        args += ["--format", rng.choice(["gcode", "plot", "svg", "dxf"])]
    if profile != "plain" and rng.random() < 0.4:
        args += ["--passes", str(rng.randint(1, 3)), "--order", rng.choice(["listed", "alternate"])]
    if rng.random() < 0.2:
        args += ["--stats"]
    if rng.random() < 0.05:
        args += ["--sequence"]
    return args


def run(cli, args, folder, extra=()):
    path = os.path.join(folder, "out")
    if os.path.exists(path):
        os.remove(path)
    done = subprocess.run([cli] + args + list(extra) + ["-o", path], capture_output=True,
                          timeout=60)
    written = open(path, "rb").read() if os.path.exists(path) else None
    return done.returncode, done.stdout, done.stderr, written


def main():
    extra = [a.split("=", 1)[1] for a in sys.argv[1:] if a.startswith("--new-option=")]
    positional = [a for a in sys.argv[1:] if not a.startswith("--new-option=")]
    old, new = positional[0], positional[1]
    count = int(positional[2]) if len(positional) > 2 else 2000
    rng = random.Random(int(positional[3]) if len(positional) > 3 else 2026)
    same = 0
    shown = 0
    statuses = {}
    written = 0
    same_files = 0
    with tempfile.TemporaryDirectory() as folder:
        for _ in range(count):
            args = random_case(rng)
            a = run(old, args, folder)
            b = run(new, args, folder, extra)
            statuses[a[0]] = statuses.get(a[0], 0) + 1
            if a[3] is not None and b[3] is not None:
                written += 1
                same_files += a[3] == b[3]
            if a == b:
                same += 1
            elif shown < 5:
                shown += 1
                print("differs:", " ".join(args))
                for part, x, y in zip(("status", "stdout", "stderr", "file"), a, b):
                    if x != y:
                        print(f"  {part}: {str(x)[:200]!r} / {str(y)[:200]!r}")
    print(f"{same} of {count} agree in file, standard output, standard error and exit status; "
          f"exit statuses of the old build: {dict(sorted(statuses.items()))}")
    print(f"{same_files} of the {written} files that both builds wrote are the same byte for byte")
    return 0 if same == count else 1


if __name__ == "__main__":
    sys.exit(main())
