# A Debian package holding the executable and its manual page:
# `cpack --preset deb` after building the release preset.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorbix)
set(CPACK_PACKAGE_VENDOR "quorbix developers")
set(CPACK_PACKAGE_CONTACT "quorbix developers <quorbix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console dice game against the computer")
set(CPACK_PACKAGE_DESCRIPTION
    "Roll five dice, reroll twice, and fill 13 scoring categories while the computer does the same.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
