# Toolchain: 32-bit PCs, with the i386 libraries of Debian's multiarch
# (libc6:i386, libstdc++6:i386). An x86-64 kernel runs these programs itself
# unless it was built or booted without its 32-bit emulation; then the tests
# and their discovery run them under qemu-i386, as i386-runner.sh decides.
# QUORBIX_I386_QEMU takes qemu-i386 on any kernel.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUORBIX_TRIPLE i686-linux-gnu)
# The probe runs once, at the first project(); later ones, and the projects of
# try_compile, which run nothing, take its answer.
get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
get_property(probed GLOBAL PROPERTY QUORBIX_I386_RUNNER SET)
if(NOT probed AND NOT in_try_compile)
  set(forced)
  if(QUORBIX_I386_QEMU)
    set(forced qemu)
  endif()
  execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/i386-runner.sh ${forced}
                  OUTPUT_VARIABLE runner ERROR_VARIABLE said RESULT_VARIABLE status
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${said}")
  endif()
  message(STATUS "${said}")
  set_property(GLOBAL PROPERTY QUORBIX_I386_RUNNER "${runner}")
endif()
get_property(QUORBIX_EMULATOR GLOBAL PROPERTY QUORBIX_I386_RUNNER)
include(${CMAKE_CURRENT_LIST_DIR}/CrossLinux.cmake)
