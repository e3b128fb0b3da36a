# Toolchain: 32-bit PCs. An x86-64 kernel runs these programs itself, with
# the i386 libraries of Debian's multiarch (libc6:i386, libstdc++6:i386, and
# for the sanitizers libasan8:i386 and libubsan1:i386).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORBIX_TRIPLE i686-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
