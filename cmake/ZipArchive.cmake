# Run by cpack after it has written a zip (Windows, web). The archiver takes each
# entry's time, and some attributes, from the files of the build; Debian's
# strip-nondeterminism sets every time to SOURCE_DATE_EPOCH (which
# CPackProjectConfig.cmake has set) and normalises the rest, so two builds of
# the same sources give the same bytes.
foreach(zip IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND strip-nondeterminism -t zip -T "$ENV{SOURCE_DATE_EPOCH}" "${zip}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
