#!/bin/sh
# How this machine runs a 32-bit PC (i386) program: prints the emulator to put
# before one, or nothing where the kernel runs them itself. An x86-64 kernel
# may refuse them (built or booted without its 32-bit emulation,
# "ia32_emulation=off"); qemu-i386 runs them then. With the argument "qemu",
# qemu-i386 runs them whatever the kernel can, so that path can be tried
# anywhere. One line on standard error says which, and why.
#
# The probe is the cross compiler's own dynamic loader, a 32-bit program that
# every i386 build here has.
#
#   i386-runner.sh [qemu]
set -u
root=/usr/i686-linux-gnu
loader=$root/lib/ld-linux.so.2
fail() {
  echo "i386: $*" >&2
  exit 1
}
[ -f "$loader" ] || fail "no $loader to probe with: install g++-i686-linux-gnu"
case ${1:-} in
  qemu) why="QUORBIX_I386_QEMU asks for it" ;;
  '')
    if "$loader" --version >/dev/null 2>&1; then
      echo "i386: 32-bit programs run natively: the kernel runs them" >&2
      exit 0
    fi
    why="the kernel refuses them"
    ;;
  *) fail "usage: i386-runner.sh [qemu]" ;;
esac
command -v qemu-i386 >/dev/null || fail "32-bit programs need qemu-i386 ($why): install qemu-user"
qemu-i386 -L "$root" "$loader" --version >/dev/null 2>&1 || fail "qemu-i386 cannot run $loader"
echo "i386: 32-bit programs run under qemu-i386: $why" >&2
echo qemu-i386
