# Every setting of the build, with its default. The presets and debian/rules
# choose among them; nothing else declares one.
option(QUORBIX_BUILD_TESTS "Build the test suite and the checks of what the build makes" ON)
option(QUORBIX_RELEASE_TESTS
       "Also check the game as released: hardened, clean under valgrind, out of memory reported, \
inputs of 2^31 bytes (optimised builds without sanitizers; needs devscripts and valgrind)" OFF)
option(QUORBIX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(QUORBIX_BOARD "Build quorbix-board, the page in a desktop window (needs libwebkit2gtk-4.1-dev)" OFF)
option(QUORBIX_HARDENING "Build the game with a distribution's protections (ELF systems)" ON)
option(QUORBIX_STATIC
       "Link every program fully static, as a static PIE, and make the Linux tarball of the game" OFF)
option(QUORBIX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUORBIX_FUZZ "Build the libFuzzer target (needs clang)" OFF)
option(QUORBIX_COVERAGE "Build with gcc's coverage instrumentation" OFF)
option(QUORBIX_GTEST_FROM_SOURCE
       "Build GoogleTest from the sources of Debian's googletest package" OFF)
set(QUORBIX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
option(QUORBIX_I386_QEMU "Run the i386 build's programs under qemu-i386 even where the kernel runs them" OFF)
# Under qemu-user (QUORBIX_EMULATOR, chosen by the toolchain) programs run
# several times slower.
set(timeout 60)
if(QUORBIX_EMULATOR)
  set(timeout 300)
endif()
set(QUORBIX_TEST_TIMEOUT ${timeout} CACHE STRING "Seconds each test, and each test discovery, may take")
