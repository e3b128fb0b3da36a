# Writes OUTPUT, the page's script INPUT with the name of its build put in
# for @QUORBIX_BUILD@: the start of the SHA-256 of WASM, the game the page
# runs. A game kept by the page is continued only by the same game, which
# reads the same answers the same way.
file(SHA256 ${WASM} hash)
string(SUBSTRING ${hash} 0 16 QUORBIX_BUILD)
configure_file(${INPUT} ${OUTPUT} @ONLY)
