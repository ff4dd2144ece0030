#!/bin/sh
# staged_fault.sh read-only|full|busy|unwritable-folder TEST-BINARY
# Runs the window's save test against a folder staged in a private mount namespace: a
# read-only bind mount, a 16 KiB tmpfs, or an earlier file bind-mounted over itself, which no
# rename can replace. Exits 77 (skipped) where no namespace can be made.
# unwritable-folder runs the save into a folder its user cannot write to; as root, whom
# permission bits do not stop, it runs as nobody.
mode=$1
binary=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

if [ "$mode" = unwritable-folder ]; then
    test=unwritableFolderStillReplacesAWritableFile
    if [ "$(id -u)" -ne 0 ]; then
        QT_QPA_PLATFORM=offscreen "$binary" "$test"
        exit $?
    fi
    # A copy that nobody can reach, and a home of its own.
    chmod 755 "$work" && cp "$binary" "$work/" && mkdir "$work/home" \
        && chown 65534:65534 "$work/home" || exit 1
    setpriv --reuid=65534 --regid=65534 --clear-groups \
        env -u XDG_RUNTIME_DIR HOME="$work/home" QT_QPA_PLATFORM=offscreen \
        "$work/$(basename "$binary")" "$test"
    exit $?
fi

printf 'earlier program' > "$work/scale.din"
case $mode in
read-only)
    stage='mount --bind "$1" "$1" && mount -o remount,bind,ro "$1"'
    reason='Read-only file system' ;;
full)
    stage='mount -t tmpfs -o size=16k mensora-full "$1" && printf "earlier program" > "$1/scale.din"'
    reason='No space left on device' ;;
busy)
    stage='mount --bind "$1/scale.din" "$1/scale.din"'
    reason='Device or resource busy' ;;
*)
    echo "usage: $0 read-only|full|busy|unwritable-folder TEST-BINARY" >&2; exit 2 ;;
esac

script="$stage || exit 77
MENSORA_STAGED_FOLDER=\"\$1\" MENSORA_STAGED_REASON='$reason' QT_QPA_PLATFORM=offscreen \\
    exec \"\$2\" stagedFileSystemFaultLeavesTheEarlierFileAsItWas"
for prefix in "unshare -rm" "unshare -m"; do
    if $prefix true 2>/dev/null; then
        $prefix sh -c "$script" sh "$work" "$binary"
        exit $?
    fi
done
echo "no private mount namespace here" >&2
exit 77
