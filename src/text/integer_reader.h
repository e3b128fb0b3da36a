// Reading an int from an input stream, character by character, by one fixed
// rule, so that the result does not depend on which standard library's
// number extraction is linked (they differ on what they leave in the stream).
//
// The rule is that of a stream with no number base set:
//   - leading whitespace is skipped;
//   - one optional sign, '+' or '-';
//   - "0x" or "0X" starts a hexadecimal number, any other leading 0 an octal
//     one (the 0 itself counts as a digit), anything else is decimal;
//   - digits of that base are taken; the first character that is not one
//     stops the number and stays in the stream for the next read.
// What was taken is gone even when the read fails.

#ifndef QUORBIX_TEXT_INTEGER_READER_H_
#define QUORBIX_TEXT_INTEGER_READER_H_

#include <iosfwd>

// How a read ended.
enum class IntegerRead {
  kValue,       // A number was read into the int.
  kNoDigits,    // No digit followed the sign or prefix ("-", "0x", "abc").
  kOutOfRange,  // All digits were taken, but the value does not fit an int.
  kEnded,       // Only whitespace was left: input has ended.
};

// Reads one integer from `in` by the rule above. `value` is written only for
// kValue. Meeting the end of input sets the stream's eofbit; kEnded also
// leaves its failbit set. No other outcome fails the stream.
IntegerRead readInteger(std::istream& in, int& value);

// Discards characters up to the next whitespace character (which stays) or
// the end of input: the rest of a word that could not be read.
void discardWord(std::istream& in);

#endif  // QUORBIX_TEXT_INTEGER_READER_H_
