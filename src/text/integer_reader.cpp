#include "text/integer_reader.h"

#include <charconv>
#include <istream>
#include <locale>
#include <string>
#include <system_error>

namespace {

using Traits = std::char_traits<char>;

// The most significant digits an int can have in any of the three bases:
// octal needs 11 (17777777777 is the largest). More always overflow.
constexpr int kMaxSignificantDigits = 11;

// The value of a digit character in bases up to 16, or 16 for any other.
int digitValue(Traits::int_type c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 16;
}

}  // namespace

IntegerRead readInteger(std::istream& in, int& value) {
  const std::istream::sentry ok(in);  // Skips whitespace; fails at end of input.
  if (!ok) return IntegerRead::kEnded;

  std::streambuf* buffer = in.rdbuf();
  // The sign and the significant digits, for the conversion at the end. Leading
  // zeros are left out, so a long run of them cannot overflow the buffer.
  char text[1 + kMaxSignificantDigits];
  int length = 0;
  int significant = 0;
  bool anyDigit = false;

  Traits::int_type c = buffer->sgetc();
  if (c == '+' || c == '-') {
    if (c == '-') text[length++] = '-';
    c = buffer->snextc();
  }
  int base = 10;
  if (c == '0') {
    c = buffer->snextc();
    if (c == 'x' || c == 'X') {
      base = 16;
      c = buffer->snextc();
    } else {
      base = 8;
      anyDigit = true;  // The leading 0 is a digit of its own.
    }
  }
  while (!Traits::eq_int_type(c, Traits::eof()) && digitValue(c) < base) {
    anyDigit = true;
    // Significant digits are kept up to the most an int can have; one more is
    // only counted, so the count stops at kMaxSignificantDigits + 1 ("too
    // many") however long the number is.
    if (significant > 0 || c != '0') {
      if (significant < kMaxSignificantDigits) text[length++] = Traits::to_char_type(c);
      if (significant <= kMaxSignificantDigits) ++significant;
    }
    c = buffer->snextc();
  }
  if (Traits::eq_int_type(c, Traits::eof())) in.setstate(std::ios_base::eofbit);

  if (!anyDigit) return IntegerRead::kNoDigits;
  if (significant > kMaxSignificantDigits) return IntegerRead::kOutOfRange;
  if (significant == 0) {
    value = 0;
    return IntegerRead::kValue;
  }
  // from_chars leaves `value` as it was when the number does not fit.
  const std::from_chars_result result = std::from_chars(text, text + length, value, base);
  return result.ec == std::errc() ? IntegerRead::kValue : IntegerRead::kOutOfRange;
}

void discardWord(std::istream& in) {
  const std::ctype<char>& ctype = std::use_facet<std::ctype<char>>(in.getloc());
  std::streambuf* buffer = in.rdbuf();
  if (buffer == nullptr) return;
  for (Traits::int_type c = buffer->sgetc();; c = buffer->snextc()) {
    if (Traits::eq_int_type(c, Traits::eof())) {
      in.setstate(std::ios_base::eofbit);
      return;
    }
    if (ctype.is(std::ctype_base::space, Traits::to_char_type(c))) return;
  }
}
