# The packages. The Debian package: `cmake --workflow --preset deb`
# configures with QUORBIX_DEBIAN_LAYOUT, builds, and runs CPack's DEB
# generator; it follows Debian's conventions for games. The Windows zip:
# `cmake --workflow --preset windows` cross-builds, tests, and runs CPack's
# ZIP generator. The web page: `cmake --workflow --preset web` builds the
# page, tests it, and zips the static site. All are reproducible: two builds
# of the same commit give the same bytes.

# quorbix_install_gzipped(<target> <source> <destination>): compresses
# `source` as Debian wants documentation compressed (gzip -9n: no name or
# time stamp in the header, so two builds give the same bytes) and installs
# the result, readable by all, into `destination`.
function(quorbix_install_gzipped target source destination)
  get_filename_component(name ${source} NAME)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND gzip -9n -c ${source} > ${output}
    DEPENDS ${source}
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
  install(FILES ${output} DESTINATION ${destination}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

if(QUORBIX_DEBIAN_LAYOUT)
  # The copyright file and the changelog of this native package.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/quorbix
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  quorbix_install_gzipped(quorbix_changelog ${PROJECT_SOURCE_DIR}/packaging/changelog
                          share/doc/quorbix)
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebArchive.cmake)
elseif(WIN32)
  # The Windows zip: the game with its license and a player's guide, both
  # with CRLF line ends, as Notepad wants them.
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
                 ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/README.txt DESTINATION .
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

if(QUORBIX_DEBIAN_LAYOUT OR WIN32 OR EMSCRIPTEN)
  # No build folder may leave a trace in the packaged binary.
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

  # Every time stamp in the package is SOURCE_DATE_EPOCH when it is set,
  # else the time of the newest changelog entry, as Debian's own tools take
  # it: one rule, whoever owns the sources and whether or not git is there.
  set(QUORBIX_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
  if(QUORBIX_SOURCE_DATE_EPOCH STREQUAL "")
    execute_process(
      COMMAND dpkg-parsechangelog -l ${PROJECT_SOURCE_DIR}/packaging/changelog -STimestamp
      OUTPUT_VARIABLE QUORBIX_SOURCE_DATE_EPOCH
      OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endif()
  if(NOT QUORBIX_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "No time for the package's files: '${QUORBIX_SOURCE_DATE_EPOCH}'")
  endif()
  message(STATUS "Package time stamps: ${QUORBIX_SOURCE_DATE_EPOCH}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/CPackProjectConfig.cmake.in
                 ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake @ONLY)
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)
endif()

if(WIN32 OR EMSCRIPTEN)
  # A zip of the game's folder (the web page's files are installed by web/).
  set(CPACK_GENERATOR ZIP)
  if(WIN32)
    set(CPACK_PACKAGE_FILE_NAME quorbix-${PROJECT_VERSION}-win64)
  else()
    set(CPACK_PACKAGE_FILE_NAME quorbix-${PROJECT_VERSION}-web)
  endif()
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/ZipArchive.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  if(QUORBIX_DEB_ARCH)  # Cross-built: the package is the target's.
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${QUORBIX_DEB_ARCH})
  endif()
endif()
set(CPACK_PACKAGE_NAME quorbix)
set(CPACK_PACKAGE_VENDOR "the quorbix developers")
# Also the package's Maintainer field.
set(CPACK_PACKAGE_CONTACT "quorbix developers <quorbix-devel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console dice game against the computer")
# Extended description lines start with a blank and stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Roll five dice, reroll any of them twice, and write each hand into one of\n"
    "13 scoring categories, while the computer does the same with its own dice.\n"
    "After 13 turns both score cards are printed.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
