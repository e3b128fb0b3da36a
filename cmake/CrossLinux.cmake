# Cross-building for another processor of Debian with Debian's cross
# compilers (g++-TRIPLE), for the presets' test suites (the packages are
# cross-built by dpkg-buildpackage -a). Included by the toolchain file of
# each processor, which sets QUORBIX_TRIPLE and CMAKE_SYSTEM_PROCESSOR
# first, and QUORBIX_EMULATOR when its programs need one here.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${QUORBIX_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QUORBIX_TRIPLE}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORBIX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests and their discovery run under qemu-user, which finds the
# target's libraries in the cross compiler's folder.
if(QUORBIX_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORBIX_EMULATOR} -L /usr/${QUORBIX_TRIPLE})
endif()
