// Checking that what the game has written has really been delivered. A
// stream that cannot write (a full disk, a closed terminal) only sets its bad
// state; the game looks at it before every read, so it never waits for an
// answer to a question nobody could see.

#ifndef QUORBIX_TEXT_OUTPUT_CHECK_H_
#define QUORBIX_TEXT_OUTPUT_CHECK_H_

#include <iosfwd>

// Flushes `out` and returns true when everything written to it so far has
// been delivered. While the stream is still good, errno is cleared before the
// flush, so after a failure errno holds the system's reason, if it gave one.
bool outputDelivered(std::ostream& out);

#endif  // QUORBIX_TEXT_OUTPUT_CHECK_H_
