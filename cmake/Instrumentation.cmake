# quorbix_instrumentation: an INTERFACE target carrying the instrumentation a
# build asks for: AddressSanitizer and UndefinedBehaviorSanitizer
# (QUORBIX_SANITIZE), libFuzzer's coverage (QUORBIX_FUZZ, clang only; the
# fuzz target itself links the fuzzer's runtime) or gcc's coverage counters
# for gcovr (QUORBIX_COVERAGE). Every target that links it PRIVATE is
# compiled and linked with the same flags, so a test binary and the library
# it exercises are instrumented together.
add_library(quorbix_instrumentation INTERFACE)
if(QUORBIX_SANITIZE)
  set(_quorbix_san_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_compile_options(quorbix_instrumentation INTERFACE ${_quorbix_san_flags})
  target_link_options(quorbix_instrumentation INTERFACE ${_quorbix_san_flags})
endif()
if(QUORBIX_FUZZ)
  target_compile_options(quorbix_instrumentation INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(QUORBIX_COVERAGE)
  target_compile_options(quorbix_instrumentation INTERFACE --coverage)
  target_link_options(quorbix_instrumentation INTERFACE --coverage)
endif()
