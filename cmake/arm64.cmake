# Toolchain: 64-bit ARM (Raspberry Pi 3 and later with a 64-bit system).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(QUORBIX_TRIPLE aarch64-linux-gnu)
set(QUORBIX_EMULATOR qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
