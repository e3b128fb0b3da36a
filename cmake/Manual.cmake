# Puts the rules, as the manual page states them, into a file made from a
# template: run as a script (cmake -P) at build time, so that the manual page
# stays the one statement of the rules.
#
#   -DMANUAL=  the manual page (with its version filled in)
#   -DMANDOC=  Debian's mandoc, which renders it
#   -DFORMAT=  html: the rules as an HTML fragment, for the web page;
#              text: plain text of 76 columns, for a text file
#   -DTEMPLATE= -DOUTPUT=  the template, whose @QUORBIX_RULES@,
#              @PROJECT_VERSION@ and @CMAKE_SYSTEM_PROCESSOR@ are replaced,
#              and the file made from it; a template without the rules, or
#              with any other @NAME@, is refused
#   -DVERSION=  the version
#   -DPROCESSOR=  the processor the game is built for
#   -DCRLF=ON   lines end in CRLF (for Windows)
#
# The rules are the manual's DESCRIPTION: how a turn goes, what each category
# scores, the bonus and the end.
file(STRINGS ${MANUAL} lines)
set(rules ".TH QUORBIX 6\n.SH RULES\n")
set(inside OFF)
foreach(line IN LISTS lines)
  if(line MATCHES "^\\.SH ")
    set(inside OFF)
    if(line STREQUAL ".SH DESCRIPTION")
      set(inside ON)
    endif()
  elseif(inside)
    string(APPEND rules "${line}\n")
  endif()
endforeach()
if(rules STREQUAL ".TH QUORBIX 6\n.SH RULES\n")
  message(FATAL_ERROR "${MANUAL}: no DESCRIPTION")
endif()
string(REPLACE ";" "\\;" rules "${rules}")
file(WRITE ${OUTPUT}.6 "${rules}")

if(FORMAT STREQUAL "html")
  execute_process(COMMAND ${MANDOC} -Thtml -Ofragment ${OUTPUT}.6 OUTPUT_VARIABLE text
                  COMMAND_ERROR_IS_FATAL ANY)
  # Only the text: not the tables of the title and the footer, nor the
  # section's title, which the page's own disclosure gives.
  string(REGEX REPLACE "^.*<div class=\"manual-text\">" "" text "${text}")
  string(REGEX REPLACE "<h1 class=\"Sh\" id=\"RULES\">[^\n]*</h1>\n" "" text "${text}")
  string(REGEX REPLACE "</div>[ \n]*<table class=\"foot\">.*$" "" text "${text}")
else()
  execute_process(COMMAND ${MANDOC} -Tascii -Owidth=76 ${OUTPUT}.6 OUTPUT_VARIABLE text
                  COMMAND_ERROR_IS_FATAL ANY)
  # Bold and underlined letters are written over themselves, with backspaces.
  string(ASCII 8 backspace)
  string(REGEX REPLACE ".${backspace}" "" text "${text}")
  # The header, the section's title and the footer go, and the indent of
  # the text (7) and of its subsections' titles (3).
  string(REGEX REPLACE "^[^\n]*\n\nRULES\n" "" text "${text}")
  string(REGEX REPLACE "\n\n[^\n]*\n$" "\n" text "${text}")
  string(REGEX REPLACE "\n(       |   )" "\n" text "\n${text}")
  string(SUBSTRING "${text}" 1 -1 text)
endif()
if(NOT text MATCHES "bonus of 35")
  message(FATAL_ERROR "${MANDOC} gave no rules: ${text}")
endif()
file(READ ${TEMPLATE} page)
if(NOT page MATCHES "@QUORBIX_RULES@")
  message(FATAL_ERROR "${TEMPLATE} has no place for the rules (@QUORBIX_RULES@)")
endif()
string(REPLACE "@PROJECT_VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@CMAKE_SYSTEM_PROCESSOR@" "${PROCESSOR}" page "${page}")
# Checked before the rules go in, whose text is the manual's own.
string(REPLACE "@QUORBIX_RULES@" "" rest "${page}")
string(REGEX MATCH "@[A-Za-z_][A-Za-z0-9_]*@" unfilled "${rest}")
if(unfilled)
  message(FATAL_ERROR "${TEMPLATE}: ${unfilled} is not filled in")
endif()
string(REPLACE "@QUORBIX_RULES@" "${text}" page "${page}")
if(CRLF)
  string(REPLACE "\r\n" "\n" page "${page}")
  string(REPLACE "\n" "\r\n" page "${page}")
endif()
file(WRITE ${OUTPUT} "${page}")
file(REMOVE ${OUTPUT}.6)
