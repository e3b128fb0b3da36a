# quorbix_sanitizers: an INTERFACE target that turns on AddressSanitizer and
# UndefinedBehaviorSanitizer when QUORBIX_SANITIZE is set. Every target that
# links it PRIVATE is compiled and linked with the same flags, so a test binary
# and the library it exercises are checked together. With QUORBIX_FUZZ the
# code is also instrumented for libFuzzer's coverage (clang only); the fuzz
# target itself links the fuzzer's runtime.
add_library(quorbix_sanitizers INTERFACE)
if(QUORBIX_SANITIZE)
  set(_quorbix_san_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_compile_options(quorbix_sanitizers INTERFACE ${_quorbix_san_flags})
  target_link_options(quorbix_sanitizers INTERFACE ${_quorbix_san_flags})
endif()
if(QUORBIX_FUZZ)
  target_compile_options(quorbix_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
# With QUORBIX_COVERAGE the same targets carry gcc's coverage instrumentation
# instead, for the line and branch counts that gcovr reports.
if(QUORBIX_COVERAGE)
  target_compile_options(quorbix_sanitizers INTERFACE --coverage)
  target_link_options(quorbix_sanitizers INTERFACE --coverage)
endif()
