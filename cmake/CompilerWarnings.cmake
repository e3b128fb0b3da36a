# quorbix_warnings: an INTERFACE target carrying the project's warning flags.
# Link it PRIVATE so the flags apply to our own sources only.
add_library(quorbix_warnings INTERFACE)
target_compile_options(quorbix_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(QUORBIX_WARNINGS_AS_ERRORS)
  target_compile_options(quorbix_warnings INTERFACE -Werror)
endif()
