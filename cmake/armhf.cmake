# Toolchain: 32-bit ARMv7 with hardware floating point (Raspberry Pi 2 and
# later with a 32-bit system).
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(QUORBIX_TRIPLE arm-linux-gnueabihf)
set(QUORBIX_EMULATOR qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
