# The web leg, built with Debian's emscripten: WebAssembly instead of native
# code. The game's own sources are the same; this file sets what every
# target of the leg shares, and web/ builds the page.
#
# The game catches std::bad_alloc, and Emscripten compiles without exception
# support unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)
# Built for size (the preset's MinSizeRel, and link-time optimisation): what
# the page weighs is mostly the game's WebAssembly.
add_compile_options(-flto)
add_link_options(-flto)

# Plain node: the toolchain's own choice may carry options that today's node
# refuses.
find_program(QUORBIX_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORBIX_NODE})

# quorbix_node, linked by the game and the test binaries (not by the page):
# they run under node, where they see the real file system (so std::system
# starts a real shell and the process tests can run), compile their
# WebAssembly before main starts, and hand main's status to node as its exit
# status.
add_library(quorbix_node INTERFACE)
target_link_options(quorbix_node INTERFACE -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)
