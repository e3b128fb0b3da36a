# quorbix_hardening: an INTERFACE target with the protections a distribution
# builds its programs with; link it PRIVATE to the game's own targets. Any
# build for an ELF system takes them without needing dpkg-dev: a strong
# stack protector, PIE, full RELRO and immediate binding, and
# _FORTIFY_SOURCE=2 where the code is optimised (it has no effect, and glibc
# warns, without optimisation). The Debian package turns this off
# (QUORBIX_HARDENING=OFF in debian/rules): it takes exactly what
# dpkg-buildflags gives, as Debian builds every package.
#
# This is the one place where hardening is left out, on purpose:
#   - builds with sanitizers or the fuzzer, which instrument the code for
#     themselves and whose runtimes expect to see it unhardened;
#   - coverage builds, measured as written;
#   - Windows, whose executables are not ELF (no RELRO or PIE in this sense);
#   - WebAssembly, which is not ELF either and runs in the browser's or
#     node's sandbox, where these protections have no meaning.
add_library(quorbix_hardening INTERFACE)

if(NOT QUORBIX_HARDENING OR QUORBIX_SANITIZE OR QUORBIX_FUZZ OR QUORBIX_COVERAGE OR WIN32 OR EMSCRIPTEN)
  set(QUORBIX_HARDENED OFF)
  if(QUORBIX_STATIC)
    message(FATAL_ERROR "QUORBIX_STATIC builds the hardened game: not with sanitizers, the fuzzer, "
                        "coverage or QUORBIX_HARDENING=OFF, nor for Windows or WebAssembly")
  endif()
  return()
endif()
set(QUORBIX_HARDENED ON)

target_compile_options(quorbix_hardening INTERFACE
  -fstack-protector-strong -fPIE
  $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
# In a static build (QUORBIX_STATIC) a program whose property
# QUORBIX_STATIC_PIE is ON (the game) is a static PIE, which needs nothing of
# the system it runs on: -static-pie in place of -pie, as a dynamic PIE is
# what -static-pie next to -pie gives, and -static alone drops PIE. The
# tests stay dynamic: GoogleTest looks up host names, which a static glibc
# cannot do by itself.
set(pie -pie)
if(QUORBIX_STATIC)
  set(pie $<IF:$<BOOL:$<TARGET_PROPERTY:QUORBIX_STATIC_PIE>>,-static-pie,-pie>)
endif()
target_link_options(quorbix_hardening INTERFACE ${pie} -Wl,-z,relro,-z,now)
