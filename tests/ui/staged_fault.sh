#!/bin/sh
# staged_fault.sh read-only|full TEST-BINARY
# Runs the window's save test against a folder staged in a private mount namespace: a
# read-only bind mount, or a 16 KiB tmpfs. Exits 77 (skipped) where no namespace can be made.
mode=$1
binary=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
printf 'earlier program' > "$work/scale.din"

case $mode in
read-only)
    stage='mount --bind "$1" "$1" && mount -o remount,bind,ro "$1"'
    reason='Read-only file system' ;;
full)
    stage='mount -t tmpfs -o size=16k mensora-full "$1" && printf "earlier program" > "$1/scale.din"'
    reason='No space left on device' ;;
*)
    echo "usage: $0 read-only|full TEST-BINARY" >&2; exit 2 ;;
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
