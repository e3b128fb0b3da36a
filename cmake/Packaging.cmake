# The zips. The Windows zip: `cmake --workflow --preset windows`
# cross-builds, tests, and runs CPack's ZIP generator. The web page: `cmake
# --workflow --preset web` builds the page, tests it, and zips the static
# site. Both are reproducible: two builds of the same commit give the same
# bytes. (The Debian package is built by Debian's own tools, from debian/.)
if(NOT (WIN32 OR EMSCRIPTEN))
  return()
endif()

if(WIN32)
  # The Windows zip: the game with its license and a player's guide, both
  # with CRLF line ends, as Notepad wants them.
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
                 ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/README.txt DESTINATION .
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

# No build folder may leave a trace in the packaged binary.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

# Every time stamp in a zip is SOURCE_DATE_EPOCH when it is set, else the
# time of the newest changelog entry, as Debian's own tools take it: one
# rule, whoever owns the sources and whether or not git is there.
set(QUORBIX_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
if(QUORBIX_SOURCE_DATE_EPOCH STREQUAL "")
  execute_process(
    COMMAND dpkg-parsechangelog -l ${PROJECT_SOURCE_DIR}/debian/changelog -STimestamp
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

# A zip of the game's folder (the web page's files are installed by web/).
set(CPACK_GENERATOR ZIP)
if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME quorbix-${PROJECT_VERSION}-win64)
else()
  set(CPACK_PACKAGE_FILE_NAME quorbix-${PROJECT_VERSION}-web)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/ZipArchive.cmake)
set(CPACK_PACKAGE_NAME quorbix)
set(CPACK_PACKAGE_VENDOR "the quorbix developers")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
