#!/usr/bin/env python3
"""Saves with mensora-cli where the file cannot be written, and checks that nothing is lost.

    cli_faults.py MENSORA_CLI CASE      run one fault case (names below), both file formats
    cli_faults.py MENSORA_CLI --list    print the case names

Every fault case expects exit status 4, the system's reason on standard error, the folder
exactly as it was (an earlier program byte for byte, no temporary file) and nothing on standard
output. The last case is no fault: a writable file in a folder its user cannot write to is
replaced in place. Exit status 0 on success, 1 on failure, 77 when this machine cannot stage
the case.

CI runs as root, where permission bits stop nothing: the read-only and full file systems and
the busy target are staged in a private mount namespace (unshare), and the unwritable folder is
tried as the user nobody (setpriv).
"""

import errno
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
NOBODY = 65534  # the user nobody and the group nogroup
FORMATS = ("gcode", "plot")

# A scale whose file is far beyond the size limits below (about 250 KB).
LARGE = ["--length", "5000"]


class Failure(Exception):
    pass


class Unavailable(Exception):
    pass


def snapshot(folder):
    """Every file under the folder with its bytes, every folder as a marker."""
    state = {}
    for root, dirs, files in os.walk(folder):
        for d in dirs:
            state[os.path.relpath(os.path.join(root, d), folder)] = "<folder>"
        for f in files:
            path = os.path.join(root, f)
            with open(path, "rb") as handle:
                state[os.path.relpath(path, folder)] = handle.read()
    return state


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, timeout=120, **kwargs)


def earlier_program(cli, fmt, path):
    """A program saved before the fault, as a user would have it."""
    made = run([cli, "--format", fmt, "-o", path])
    if made.returncode != 0 or not os.path.getsize(path):
        raise Failure(f"could not write the earlier program: {made.stderr!r}")


def namespace_prefix():
    """A command prefix that runs in a private mount namespace, if this machine allows one."""
    for prefix in (["unshare", "-rm"], ["unshare", "-m"]):
        try:
            if run(prefix + ["true"]).returncode == 0:
                return prefix
        except (OSError, subprocess.TimeoutExpired):
            pass
    raise Unavailable("no private mount namespace (unshare) on this machine")


def expect_refused_write(done, reason):
    stderr = done.stderr.decode(errors="replace")
    if done.returncode != 4:
        raise Failure(f"exit status {done.returncode}, not 4; stderr: {stderr.strip()}")
    if reason not in stderr:
        raise Failure(f"the message does not give the reason {reason!r}: {stderr.strip()}")
    if done.stdout:
        raise Failure(f"wrote {len(done.stdout)} bytes to standard output")


def expect_unchanged(before, after):
    if before != after:
        added = sorted(set(after) - set(before))
        changed = sorted(k for k in before if after.get(k) != before[k])
        raise Failure(f"the folder changed: new {added}, changed or gone {changed}")


# ---- the cases: each takes the CLI, a file format and an empty work folder -------------------

def file_size_limit(cli, fmt, work, earlier):
    """A full disk, as a file-size limit with SIGXFSZ ignored: the write fails with EFBIG."""
    target = os.path.join(work, "scale.out")
    if earlier:
        earlier_program(cli, fmt, target)
    before = snapshot(work)
    limited = ["bash", "-c", 'trap "" XFSZ; ulimit -f 4; exec "$0" "$@"']
    done = run(limited + [cli, *LARGE, "--format", fmt, "-o", target])
    expect_refused_write(done, os.strerror(errno.EFBIG))
    expect_unchanged(before, snapshot(work))


def file_size_limit_keeps_earlier_file(cli, fmt, work):
    file_size_limit(cli, fmt, work, earlier=True)


def file_size_limit_leaves_no_file(cli, fmt, work):
    file_size_limit(cli, fmt, work, earlier=False)


def full_file_system_keeps_earlier_file(cli, fmt, work):
    """A real full disk: a 16 KiB tmpfs in a private mount namespace, which ends with the run,
    so its contents are copied out before and after the save for the comparison."""
    prefix = namespace_prefix()
    before_dir, mount_dir, after_dir = (os.path.join(work, n) for n in ("before", "mnt", "after"))
    for d in (before_dir, mount_dir, after_dir):
        os.mkdir(d)
    earlier_program(cli, fmt, os.path.join(before_dir, "scale.out"))
    script = ('mount -t tmpfs -o size=16k mensora-full "$1" && cp -a "$2"/. "$1"/ || exit 90\n'
              'target=$1; after=$3; shift 3\n'
              '"$@"; status=$?\n'
              'cp -a "$target"/. "$after"/ || exit 91\n'
              'exit $status\n')
    done = run(prefix + ["sh", "-c", script, "sh", mount_dir, before_dir, after_dir,
                         cli, *LARGE, "--format", fmt, "-o", os.path.join(mount_dir, "scale.out")])
    if done.returncode in (90, 91):
        raise Unavailable(f"cannot stage a small tmpfs: {done.stderr!r}")
    expect_refused_write(done, os.strerror(errno.ENOSPC))
    expect_unchanged(snapshot(before_dir), snapshot(after_dir))


def staged_save(cli, fmt, work, stage, staged, target, reason):
    """Saves onto target in a private mount namespace, once the shell commands `stage` have
    mounted something at "$1" (the path `staged`), and expects the folder as it was."""
    prefix = namespace_prefix()
    before = snapshot(work)
    script = f'{stage} || exit 90\nshift; exec "$@"\n'
    done = run(prefix + ["sh", "-c", script, "sh", staged, cli, "--format", fmt, "-o", target])
    if done.returncode == 90:
        raise Unavailable(f"cannot stage the mount: {done.stderr!r}")
    expect_refused_write(done, reason)
    expect_unchanged(before, snapshot(work))


def read_only(cli, fmt, work, earlier):
    """The work folder bind-mounted read-only."""
    target = os.path.join(work, "scale.out")
    if earlier:
        earlier_program(cli, fmt, target)
    staged_save(cli, fmt, work, 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1"', work,
                target, os.strerror(errno.EROFS))


def read_only_file_system_keeps_earlier_file(cli, fmt, work):
    read_only(cli, fmt, work, earlier=True)


def read_only_file_system_creates_nothing(cli, fmt, work):
    read_only(cli, fmt, work, earlier=False)


def busy_target_keeps_earlier_file(cli, fmt, work):
    """A target that cannot be replaced: the earlier program bind-mounted over itself, so that
    the whole file is written but the final rename fails with EBUSY."""
    target = os.path.join(work, "scale.out")
    earlier_program(cli, fmt, target)
    staged_save(cli, fmt, work, 'mount --bind "$1" "$1"', target, target,
                os.strerror(errno.EBUSY))


def missing_folder_creates_nothing(cli, fmt, work):
    before = snapshot(work)
    done = run([cli, "--format", fmt, "-o", os.path.join(work, "missing", "scale.out")])
    expect_refused_write(done, os.strerror(errno.ENOENT))
    expect_unchanged(before, snapshot(work))


def folder_as_target_stays_a_folder(cli, fmt, work):
    folder = os.path.join(work, "scale.out")
    os.mkdir(folder)
    with open(os.path.join(folder, "inside.txt"), "wb") as f:
        f.write(b"kept\n")
    before = snapshot(work)
    done = run([cli, "--format", fmt, "-o", folder])
    expect_refused_write(done, os.strerror(errno.EISDIR))
    expect_unchanged(before, snapshot(work))


def full_standard_output_reports_the_reason(cli, fmt, work):
    with open("/dev/full", "wb") as full:
        done = subprocess.run([cli, "--format", fmt, "-o", "-"], stdout=full,
                              stderr=subprocess.PIPE, timeout=120)
    done.stdout = b""
    expect_refused_write(done, os.strerror(errno.ENOSPC))


def unprivileged(work):
    """A command prefix that runs as a user whom permission bits bind, and the work folder
    handed to that user: root runs the command as nobody."""
    if os.geteuid() != 0:
        return []
    if shutil.which("setpriv") is None:
        raise Unavailable("root, and no setpriv to run as nobody")
    os.chown(work, NOBODY, NOBODY)
    return ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups"]


def unwritable_folder_replaces_writable_file(cli, fmt, work):
    """No temporary file can be made beside the target, so the target itself is rewritten, as
    a plain editor would: the whole new program, nothing left of the longer earlier one."""
    prefix = unprivileged(work)
    target = os.path.join(work, "scale.out")
    with open(target, "wb") as earlier:
        earlier.write(b"x" * 300000)
    expected = run([cli, "--format", fmt, "-o", "-"]).stdout
    tools = tempfile.mkdtemp(prefix="mensora-cli-")  # where that user can run the program
    os.chmod(tools, 0o755)
    try:
        if prefix:
            os.chown(target, NOBODY, NOBODY)
        runnable = shutil.copy(cli, tools)
        os.chmod(work, 0o555)
        done = run(prefix + [runnable, "--format", fmt, "-o", target])
    finally:
        os.chmod(work, 0o700)
        shutil.rmtree(tools)
    if done.returncode != 0 or done.stderr or done.stdout:
        raise Failure(f"exit status {done.returncode}: {done.stderr.decode(errors='replace')}")
    if snapshot(work) != {"scale.out": expected}:
        raise Failure(f"the folder holds {sorted(snapshot(work))}, not the new program alone")


CASES = [
    file_size_limit_keeps_earlier_file,
    file_size_limit_leaves_no_file,
    full_file_system_keeps_earlier_file,
    read_only_file_system_keeps_earlier_file,
    read_only_file_system_creates_nothing,
    busy_target_keeps_earlier_file,
    missing_folder_creates_nothing,
    folder_as_target_stays_a_folder,
    full_standard_output_reports_the_reason,
    unwritable_folder_replaces_writable_file,
]


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    cli, name = sys.argv[1], sys.argv[2]
    if name == "--list":
        print("\n".join(case.__name__ for case in CASES))
        return 0
    case = next((c for c in CASES if c.__name__ == name), None)
    if case is None:
        print(f"no fault case {name}", file=sys.stderr)
        return 2
    for fmt in FORMATS:
        work = tempfile.mkdtemp(prefix="mensora-fault-")
        try:
            case(cli, fmt, work)
        except Unavailable as reason:
            print(f"skip {name}: {reason}")
            return SKIP
        except Failure as failure:
            print(f"FAIL {name} ({fmt}): {failure}")
            return 1
        finally:
            shutil.rmtree(work, ignore_errors=True)
        print(f"ok   {name} ({fmt})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
