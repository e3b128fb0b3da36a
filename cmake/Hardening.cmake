# quorbix_hardening: an INTERFACE target with the protections a distribution
# builds its programs with; link it PRIVATE to the game's own targets.
#
#   - The Debian package (QUORBIX_DEBIAN_LAYOUT) takes exactly what
#     dpkg-buildflags gives on the build machine with every hardening feature
#     on, as Debian's own package builds do.
#   - Any other build for an ELF system takes the same protections without
#     needing dpkg-dev: a strong stack protector, PIE, full RELRO and
#     immediate binding, and _FORTIFY_SOURCE=2 where the code is optimised
#     (it has no effect, and glibc warns, without optimisation).
#
# This is the one place where hardening is left out, on purpose:
#   - builds with sanitizers or the fuzzer, which instrument the code for
#     themselves and whose runtimes expect to see it unhardened;
#   - coverage builds, measured as written;
#   - Windows, whose executables are not ELF (no RELRO or PIE in this sense);
#   - WebAssembly, which is not ELF either and runs in the browser's or
#     node's sandbox, where these protections have no meaning.
add_library(quorbix_hardening INTERFACE)

if(QUORBIX_SANITIZE OR QUORBIX_FUZZ OR QUORBIX_COVERAGE OR WIN32 OR EMSCRIPTEN)
  return()
endif()

if(QUORBIX_DEBIAN_LAYOUT)
  # Asked once, at configure time, for the processor built for; the answer
  # is part of the configuration.
  if(QUORBIX_DEB_ARCH)
    set(QUORBIX_DEB_HOST_ARCH DEB_HOST_ARCH=${QUORBIX_DEB_ARCH})
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${QUORBIX_DEB_HOST_ARCH} dpkg-buildflags --get ${kind}
      OUTPUT_VARIABLE flags
      OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed; the package needs dpkg-dev")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # Its prefix maps name the folder CMake was started from, and would
    # override the project's own (cmake/Packaging.cmake), which map the
    # source and build folders wherever they are.
    list(FILTER flags EXCLUDE REGEX "^-f(file|debug|macro)-prefix-map=")
    set(QUORBIX_DEB_${kind} ${flags})
  endforeach()
  string(JOIN " " shown ${QUORBIX_DEB_CPPFLAGS} ${QUORBIX_DEB_CXXFLAGS})
  message(STATUS "Package build flags: ${shown}")
  string(JOIN " " shown ${QUORBIX_DEB_LDFLAGS})
  message(STATUS "Package link flags: ${shown}")
  target_compile_options(quorbix_hardening INTERFACE ${QUORBIX_DEB_CPPFLAGS}
                                                     ${QUORBIX_DEB_CXXFLAGS})
  target_link_options(quorbix_hardening INTERFACE ${QUORBIX_DEB_LDFLAGS})
else()
  target_compile_options(quorbix_hardening INTERFACE
    -fstack-protector-strong -fPIE
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
  target_link_options(quorbix_hardening INTERFACE -pie -Wl,-z,relro,-z,now)
endif()
