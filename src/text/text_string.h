// String: the game's own text type. A String owns one heap array holding a
// zero-terminated text, plus `capacity`, the number of text characters the
// array can hold (the terminator not counted). The length is never stored; it
// is counted from the terminator whenever it is needed.
//
// Capacity is part of the type's observable behaviour:
//   - a default String has capacity 255;
//   - one built from a plain string, copied from a String, or returned by
//     substring() has exactly the capacity of its text's length;
//   - assignment gives the target the source's capacity, replacing the
//     target's array only when the two capacities differ;
//   - growth (+=, append, insert, and reading a word that does not fit)
//     replaces the array by one of exactly the new length.
//
// Every String owns its array alone; copying copies the text into a new array,
// and the destructor gives the array back.
//
// Lengths and capacities are ints, so a text holds at most INT_MAX characters.
// An edit that would make a longer one (+=, append, insert) throws
// std::bad_alloc before it changes anything, as when the heap cannot supply
// the array; a word read with >> that outgrows either limit throws it too,
// keeping the part of the word read so far. Either way the String keeps a
// terminated text.

#ifndef QUORBIX_TEXT_TEXT_STRING_H_
#define QUORBIX_TEXT_TEXT_STRING_H_

#include <cstddef>
#include <iosfwd>

class String {
 public:
  // An empty text with capacity 255.
  String();

  // An empty text with room for n characters; a negative n is taken as 0.
  explicit String(int n);

  // A copy of the zero-terminated `text`; capacity is its length.
  // Implicit on purpose: a literal stands wherever a String is expected.
  // cppcheck-suppress noExplicitConstructor
  String(const char* text);  // NOLINT(google-explicit-constructor,hicpp-explicit-conversions)

  // No text at all is not a text: a String from a null pointer (nullptr, or
  // a 0 compared with a String) does not compile.
  String(std::nullptr_t) =
      delete;  // NOLINT(google-explicit-constructor,hicpp-explicit-conversions)

  // A deep copy of other's text; capacity is the text's length, not other's
  // capacity.
  String(const String& other);

  // Takes other's capacity and text. The array is replaced only when the two
  // capacities differ. Assigning a String to itself changes nothing.
  String& operator=(const String& other);

  ~String();

  // Number of characters before the terminator.
  int length() const;

  int getCapacity() const { return capacity; }

  // A new String with `count` characters from `start`; count -1 means "to the
  // end", and a count reaching past the end is shortened. A start at or beyond
  // the end gives an empty String, and so do a negative start and a count
  // below -1. The result's capacity is its length.
  String substring(int start, int count) const;

  // Comparison of the texts, character by character as unsigned bytes;
  // capacity plays no part. A proper prefix orders first.
  bool operator==(const String& other) const;
  bool operator!=(const String& other) const;
  bool operator<(const String& other) const;
  bool operator<=(const String& other) const;
  bool operator>(const String& other) const;
  bool operator>=(const String& other) const;

  // A new array of capacity + 1 characters holding the text; the caller owns
  // it and must delete[] it.
  char* toCString() const;

  // First position >= start holding c, or -1. A negative start or one at or
  // beyond the end gives -1.
  int find(char c, int start) const;

  // Last position holding c, or -1.
  int findLast(char c) const;

  // First position p >= start at which `pattern` occurs, or -1. An occurrence
  // that ends on the last character is found; an empty pattern is found at
  // start when 0 <= start <= length.
  int find(const String& pattern, int start) const;
  int find(const char* pattern, int start) const;

  // Inserts text before position pos, growing the array when needed. A pos
  // outside 0..length is clamped to that range.
  void insert(int pos, const String& text);

  // Removes count characters from pos; count -1, or a count reaching past the
  // end, cuts the text at pos. Capacity is unchanged. A pos outside 0..length
  // or a count below -1 changes nothing.
  void erase(int pos, int count);

  // Appends text, growing the array to exactly the new length when needed.
  String& operator+=(const String& other);
  String& operator+=(const char* text);
  // Appends one character; a full String grows by exactly one. A zero
  // character would end the text early, so it is ignored.
  String& operator+=(char c);
  String& append(const String& other);

  // Reads one whitespace-delimited word, as extracting into a plain character
  // array does. A word longer than the capacity is taken whole: the array is
  // replaced by one of exactly the word's length (one longer than INT_MAX
  // throws, as above). At end of input before any character, the text is
  // unchanged and the stream fails.
  friend std::istream& operator>>(std::istream& in, String& s);

  // Writes the text exactly as a plain string is written, honouring the
  // stream's field width, fill character and adjustment.
  friend std::ostream& operator<<(std::ostream& out, const String& s);

  // Reads one line into the existing array, storing at most capacity - 1
  // characters. The line break is consumed and not stored; the rest of a
  // longer line stays in the stream, which does not fail. At end of input
  // before any character the text becomes empty and the stream fails. With
  // capacity 0 nothing is read.
  friend std::istream& readLine(std::istream& in, String& s);

 private:
  // Appends n characters from p (which may point into this String's own
  // array), growing to exactly the new length when they do not fit.
  void appendChars(const char* p, std::size_t n);

  // Replaces the array by one of the given capacity holding the same text.
  // REQUIRES: newCapacity >= length().
  void resizeKeepingText(int newCapacity);

  // Three-way comparison of the texts as unsigned bytes.
  int compare(const String& other) const;

  char* data;
  int capacity;
};

#endif  // QUORBIX_TEXT_TEXT_STRING_H_
