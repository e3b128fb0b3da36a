#include "text/output_check.h"

#include <cerrno>
#include <ostream>

bool outputDelivered(std::ostream& out) {
  if (out.fail()) return false;  // Failed earlier: errno still tells why.
  errno = 0;
  out.flush();
  return !out.fail();
}
