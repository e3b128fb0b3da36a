# The Windows leg, cross-built with cmake/MinGW.cmake: tests run under wine,
# and the executable carries an icon and a version resource.

# Wine keeps its prefix in the build tree, and its diagnostics are off but
# for its errors in laying out a process's memory, so a test's standard
# error is the program's alone unless wine broke. cmake/wine-run.sh runs each
# program, and runs it again when wine broke around it; retries are listed in
# wine-retries.log. Each runs for at most 50 s, within the tests' timeout.
# Wine's menu builder, which would copy the installer's Start-menu entry into
# this machine's own menus under HOME, is off.
set(QUORBIX_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(QUORBIX_WINE_ENV WINEPREFIX=${QUORBIX_WINEPREFIX} WINEDEBUG=-all,err+virtual
                     WINEDLLOVERRIDES=winemenubuilder.exe=d
                     QUORBIX_WINE_RETRIES=${CMAKE_BINARY_DIR}/wine-retries.log
                     QUORBIX_WINE_TIMEOUT=50)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${QUORBIX_WINE_ENV} sh
                                  ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh)
# Wine sets up a new prefix on its first start, which takes several seconds;
# doing it once before any test binary runs keeps that out of every timeout.
add_custom_command(
  OUTPUT ${QUORBIX_WINEPREFIX}/system.reg
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
  COMMAND ${CMAKE_COMMAND} -E env ${QUORBIX_WINE_ENV} wineserver --wait
  COMMENT "Setting up the wine prefix in ${QUORBIX_WINEPREFIX}"
  VERBATIM)
add_custom_target(quorbix_wine_prefix DEPENDS ${QUORBIX_WINEPREFIX}/system.reg)

# The icon that Explorer, the taskbar, the Start menu and the installed
# programs' list show: the page's icon (web/icon.svg) rendered by
# rsvg-convert at the sizes Windows asks for, put together by icotool (the
# largest stored as PNG, as Windows wants it). Both give the same bytes for
# the same input, so the icon is as reproducible as the rest.
find_program(QUORBIX_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUORBIX_ICOTOOL icotool REQUIRED)
set(QUORBIX_ICON ${PROJECT_BINARY_DIR}/quorbix.ico)
set(icon_sizes 16 24 32 48 256)
set(icon_commands)
set(icon_pngs)
foreach(size IN LISTS icon_sizes)
  set(png ${PROJECT_BINARY_DIR}/icon/quorbix-${size}.png)
  list(APPEND icon_commands COMMAND ${QUORBIX_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
       ${PROJECT_SOURCE_DIR}/web/icon.svg)
  list(APPEND icon_pngs ${png})
endforeach()
list(POP_BACK icon_pngs largest)
add_custom_command(
  OUTPUT ${QUORBIX_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icon
  ${icon_commands}
  COMMAND ${QUORBIX_ICOTOOL} -c -o ${QUORBIX_ICON} ${icon_pngs} -r ${largest}
  DEPENDS ${PROJECT_SOURCE_DIR}/web/icon.svg
  COMMENT "Rendering the icon ${QUORBIX_ICON}"
  VERBATIM)
add_custom_target(quorbix_icon DEPENDS ${QUORBIX_ICON})

# The resources: the icon, and the version resource, what Windows shows
# under the file's Properties, Details. The copyright line is the license's
# own.
enable_language(RC)
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE QUORBIX_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
configure_file(${PROJECT_SOURCE_DIR}/cmake/quorbix.rc.in ${PROJECT_BINARY_DIR}/quorbix.rc @ONLY)
