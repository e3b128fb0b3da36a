# The version and date of the newest entry of debian/changelog, the one place
# where a release is named: its first line "quorbix (VERSION) ..." and its
# last " -- NAME <MAIL>  Tue, 08 Dec 2026 00:00:00 +0000". The file names,
# the Windows version resource and the manual page follow them.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog entry REGEX "^quorbix \\(|^ -- "
     LIMIT_COUNT 2)
list(GET entry 0 header)
list(GET entry -1 trailer)
if(NOT header MATCHES "^quorbix \\(([0-9]+\\.[0-9]+\\.[0-9]+)\\)")
  message(FATAL_ERROR "debian/changelog: no version of three numbers in '${header}'")
endif()
set(QUORBIX_VERSION ${CMAKE_MATCH_1})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT trailer MATCHES "^ -- .*>  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog: no date in '${trailer}'")
endif()
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
  set(month 0${month})
endif()
set(QUORBIX_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
