# The zips. The Windows zip: `cmake --workflow --preset windows`
# cross-builds, tests, and runs CPack's ZIP generator. The web page: `cmake
# --workflow --preset web` builds the page, tests it, and zips the static
# site. Both are reproducible: two builds of the same commit give the same
# bytes. (The Debian package is built by Debian's own tools, from debian/.)
if(NOT (WIN32 OR EMSCRIPTEN OR QUORBIX_STATIC))
  return()
endif()

# quorbix_with_rules(TARGET TEMPLATE OUTPUT FORMAT [ARG...]): OUTPUT is made
# from TEMPLATE at build time, with the rules of the manual page in FORMAT
# (html or text; cmake/Manual.cmake), by a target of that name.
find_program(QUORBIX_MANDOC mandoc REQUIRED)
function(quorbix_with_rules target template output format)
  set(manual ${PROJECT_BINARY_DIR}/man/quorbix.6)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DMANUAL=${manual} -DMANDOC=${QUORBIX_MANDOC} -DFORMAT=${format}
            -DTEMPLATE=${template} -DOUTPUT=${output} -DVERSION=${PROJECT_VERSION}
            -DPROCESSOR=${CMAKE_SYSTEM_PROCESSOR} ${ARGN}
            -P ${PROJECT_SOURCE_DIR}/cmake/Manual.cmake
    DEPENDS ${template} ${manual} ${PROJECT_SOURCE_DIR}/cmake/Manual.cmake
    COMMENT "Putting the rules into ${output}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

if(WIN32)
  # The Windows zip: the game with its license and a player's guide, both
  # with CRLF line ends, as Notepad wants them.
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt @ONLY
                 NEWLINE_STYLE CRLF)
  # The player's guide, with the rules from the manual page.
  quorbix_with_rules(quorbix_readme ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
                     ${PROJECT_BINARY_DIR}/README.txt text -DCRLF=ON)
  install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/README.txt DESTINATION .
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

  # The installer, quorbix-VERSION-win64.msi, by Debian's wixl: the same
  # three files under Program Files and a Start-menu entry, with the game's
  # icon. Its product and package codes are derived from the version, as
  # name-based UUIDs.
  find_program(QUORBIX_WIXL wixl REQUIRED)
  set(upgrade_code 2D6F7A0C-3E5B-4C1A-9F8E-7B6A5C4D3E21)
  string(UUID QUORBIX_PRODUCT_CODE NAMESPACE ${upgrade_code} NAME "product ${PROJECT_VERSION}"
         TYPE SHA1 UPPER)
  string(UUID QUORBIX_PACKAGE_CODE NAMESPACE ${upgrade_code} NAME "package ${PROJECT_VERSION}"
         TYPE SHA1 UPPER)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/quorbix.wxs.in
                 ${PROJECT_BINARY_DIR}/quorbix.wxs @ONLY)
  set(QUORBIX_MSI ${PROJECT_BINARY_DIR}/quorbix-${PROJECT_VERSION}-win64.msi)
  add_custom_command(
    OUTPUT ${QUORBIX_MSI}
    COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/windows/msi.sh ${QUORBIX_MSI}
            ${PROJECT_BINARY_DIR}/quorbix.wxs ${PROJECT_SOURCE_DIR}/debian/changelog ${CMAKE_STRIP}
            $<TARGET_FILE:quorbix> ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt
            ${QUORBIX_ICON}
    DEPENDS quorbix quorbix_icon ${QUORBIX_ICON} ${PROJECT_BINARY_DIR}/quorbix.wxs
            ${PROJECT_BINARY_DIR}/README.txt ${PROJECT_BINARY_DIR}/LICENSE.txt ${PROJECT_SOURCE_DIR}/packaging/windows/msi.sh
    COMMENT "Building the installer ${QUORBIX_MSI}"
    VERBATIM)
  add_custom_target(quorbix_msi ALL DEPENDS ${QUORBIX_MSI})
endif()

# No build folder may leave a trace in the packaged binary.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

if(QUORBIX_STATIC)
  # The tarball for any Linux, quorbix-VERSION-PROCESSOR-linux.tar.gz: one
  # folder with the static game, its manual page, a README with the rules
  # from the manual page, and the license.
  quorbix_with_rules(quorbix_linux_readme ${PROJECT_SOURCE_DIR}/packaging/linux/README.in
                     ${PROJECT_BINARY_DIR}/README text)
  set(QUORBIX_TARBALL
      ${PROJECT_BINARY_DIR}/quorbix-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}-linux.tar.gz)
  add_custom_command(
    OUTPUT ${QUORBIX_TARBALL}
    COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/linux/tarball.sh ${QUORBIX_TARBALL}
            ${PROJECT_SOURCE_DIR}/debian/changelog ${CMAKE_STRIP} $<TARGET_FILE:quorbix>
            ${PROJECT_BINARY_DIR}/man/quorbix.6 ${PROJECT_BINARY_DIR}/README
            ${PROJECT_SOURCE_DIR}/LICENSE
    DEPENDS quorbix quorbix_linux_readme ${PROJECT_BINARY_DIR}/README
            ${PROJECT_SOURCE_DIR}/packaging/linux/tarball.sh ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${QUORBIX_TARBALL}"
    VERBATIM)
  add_custom_target(quorbix_tarball ALL DEPENDS ${QUORBIX_TARBALL})
  return()
endif()

# Every time stamp in a zip is SOURCE_DATE_EPOCH when it is set, else the
# time of the newest changelog entry, as Debian's own tools take it; cpack
# asks dpkg-parsechangelog when it runs (CPackProjectConfig.cmake).
configure_file(${PROJECT_SOURCE_DIR}/cmake/CPackProjectConfig.cmake.in
               ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackProjectConfig.cmake)

# A zip of the game's folder (the web page's files are installed by web/).
# The Windows zip holds one folder, so that unzipping it where the player
# keeps downloads puts one folder there; the web zip is the site itself.
set(CPACK_GENERATOR ZIP)
if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME quorbix-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_PACKAGE_FILE_NAME quorbix-${PROJECT_VERSION}-web)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/ZipArchive.cmake)
set(CPACK_PACKAGE_NAME quorbix)
set(CPACK_PACKAGE_VENDOR "the quorbix developers")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
