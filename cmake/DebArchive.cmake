# Run by cpack after it has written the package. CPack gives the members of
# the outer ar archive the modes of files it created, which follow the umask
# of whoever builds; rewriting the archive in ar's deterministic mode (owner
# 0, mode 0644, time 0) makes the package the same bytes for everyone.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(work "${deb}.members")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}")
  execute_process(COMMAND ar t "${deb}" OUTPUT_VARIABLE members COMMAND_ERROR_IS_FATAL ANY)
  string(STRIP "${members}" members)
  string(REPLACE "\n" ";" members "${members}")
  execute_process(COMMAND ar x "${deb}" WORKING_DIRECTORY "${work}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${deb}")
  # The members keep their order: debian-binary, control, data.
  execute_process(COMMAND ar rcD "${deb}" ${members} WORKING_DIRECTORY "${work}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${work}")
endforeach()
