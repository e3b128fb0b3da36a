#include "text/text_string.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <istream>
#include <limits>
#include <locale>
#include <new>
#include <ostream>

namespace {

// The longest text a String can hold: lengths and capacities are ints.
constexpr int kMaxLength = std::numeric_limits<int>::max();

// A new array for `capacity` characters and the terminator. The size is
// computed in size_t, where even kMaxLength + 1 cannot wrap.
char* newArray(int capacity) { return new char[static_cast<std::size_t>(capacity) + 1]; }

// A length of `added` characters on top of `length`. A text longer than
// kMaxLength cannot be represented, so asking for one is treated as memory
// running out, before anything is written.
int grownLength(int length, std::size_t added) {
  if (added > static_cast<std::size_t>(kMaxLength - length)) throw std::bad_alloc();
  return length + static_cast<int>(added);
}

}  // namespace

String::String() : data(newArray(255)), capacity(255) { data[0] = '\0'; }

String::String(int n) : data(nullptr), capacity(std::max(n, 0)) {
  data = newArray(capacity);
  data[0] = '\0';
}

String::String(const char* text) : data(nullptr), capacity(grownLength(0, std::strlen(text))) {
  data = newArray(capacity);
  std::memcpy(data, text, static_cast<std::size_t>(capacity) + 1);
}

String::String(const String& other) : data(nullptr), capacity(other.length()) {
  data = newArray(capacity);
  std::memcpy(data, other.data, static_cast<std::size_t>(capacity) + 1);
}

String& String::operator=(const String& other) {
  if (this == &other) return *this;  // Self-assignment: nothing to do.
  if (capacity != other.capacity) {
    char* fresh = newArray(other.capacity);
    delete[] data;
    data = fresh;
    capacity = other.capacity;
  }
  std::memcpy(data, other.data, static_cast<std::size_t>(other.length()) + 1);
  return *this;
}

String::~String() { delete[] data; }

void String::resizeKeepingText(int newCapacity) {
  char* fresh = newArray(newCapacity);
  std::memcpy(fresh, data, static_cast<std::size_t>(length()) + 1);
  delete[] data;
  data = fresh;
  capacity = newCapacity;
}

int String::length() const { return static_cast<int>(std::strlen(data)); }

String String::substring(int start, int count) const {
  const int len = length();
  if (start < 0 || start >= len || count < -1) return String(0);
  const int remaining = len - start;
  if (count == -1 || count > remaining) count = remaining;
  String result(count);
  std::memcpy(result.data, data + start, count);
  result.data[count] = '\0';
  return result;
}

int String::compare(const String& other) const {
  const unsigned char* a = reinterpret_cast<const unsigned char*>(data);
  const unsigned char* b = reinterpret_cast<const unsigned char*>(other.data);
  while (*a != 0 && *a == *b) {
    ++a;
    ++b;
  }
  return static_cast<int>(*a) - static_cast<int>(*b);
}

bool String::operator==(const String& other) const { return compare(other) == 0; }
bool String::operator!=(const String& other) const { return compare(other) != 0; }
bool String::operator<(const String& other) const { return compare(other) < 0; }
bool String::operator<=(const String& other) const { return compare(other) <= 0; }
bool String::operator>(const String& other) const { return compare(other) > 0; }
bool String::operator>=(const String& other) const { return compare(other) >= 0; }

char* String::toCString() const {
  char* copy = newArray(capacity);
  std::memcpy(copy, data, static_cast<std::size_t>(length()) + 1);
  return copy;
}

int String::find(char c, int start) const {
  const int len = length();
  // Compared as unsigned, a negative start lands beyond the end.
  if (static_cast<unsigned>(start) >= static_cast<unsigned>(len)) return -1;
  for (int p = start; p < len; ++p) {
    if (data[p] == c) return p;
  }
  return -1;
}

int String::findLast(char c) const {
  for (int p = length() - 1; p >= 0; --p) {
    if (data[p] == c) return p;
  }
  return -1;
}

int String::find(const String& pattern, int start) const { return find(pattern.data, start); }

int String::find(const char* pattern, int start) const {
  const int len = length();
  const std::size_t patternSize = std::strlen(pattern);
  // A pattern longer than the text is nowhere in it (and may not fit an int).
  if (start < 0 || patternSize > static_cast<std::size_t>(len)) return -1;
  const int patternLength = static_cast<int>(patternSize);
  // The last position tried is len - patternLength, so a match that ends on
  // the last character is still found.
  for (int p = start; p <= len - patternLength; ++p) {
    if (std::memcmp(data + p, pattern, patternLength) == 0) return p;
  }
  return -1;
}

// NOLINTNEXTLINE(misc-no-recursion): calls itself at most once, for a copy.
void String::insert(int pos, const String& text) {
  const int len = length();
  const int added = text.length();
  const int newLength = grownLength(len, added);  // Refused before any copy is made.
  if (&text == this) {
    // The text to insert is this String's own, which the insert changes, so a
    // copy of it is inserted instead: one level of recursion, no more.
    const String copy(text);  // NOLINT(performance-unnecessary-copy-initialization)
    insert(pos, copy);
    return;
  }
  pos = std::min(std::max(pos, 0), len);
  if (newLength > capacity) {
    char* fresh = newArray(newLength);
    std::memcpy(fresh, data, pos);
    std::memcpy(fresh + pos, text.data, added);
    std::memcpy(fresh + pos + added, data + pos, static_cast<std::size_t>(len - pos) + 1);
    delete[] data;
    data = fresh;
    capacity = newLength;
  } else {
    std::memmove(data + pos + added, data + pos, static_cast<std::size_t>(len - pos) + 1);
    std::memcpy(data + pos, text.data, added);
  }
}

void String::erase(int pos, int count) {
  const int len = length();
  if (pos < 0 || pos > len || count < -1) return;
  if (count == -1 || count >= len - pos) {
    data[pos] = '\0';
    return;
  }
  std::memmove(data + pos, data + pos + count, static_cast<std::size_t>(len - pos - count) + 1);
}

void String::appendChars(const char* p, std::size_t n) {
  const int len = length();
  const int newLength = grownLength(len, n);
  if (newLength > capacity) {
    char* fresh = newArray(newLength);
    std::memcpy(fresh, data, len);
    std::memcpy(fresh + len, p, n);  // p may still point into the old array.
    fresh[newLength] = '\0';
    delete[] data;
    data = fresh;
    capacity = newLength;
  } else {
    std::memmove(data + len, p, n);
    data[newLength] = '\0';
  }
}

String& String::operator+=(const String& other) {
  appendChars(other.data, other.length());
  return *this;
}

String& String::operator+=(const char* text) {
  appendChars(text, std::strlen(text));
  return *this;
}

String& String::operator+=(char c) {
  if (c != '\0') appendChars(&c, 1);
  return *this;
}

String& String::append(const String& other) { return *this += other; }

std::istream& operator>>(std::istream& in, String& s) {
  std::istream::sentry ok(in);  // Skips leading whitespace when skipws is set.
  if (!ok) return in;           // End of input: the text stays as it was.

  const std::ctype<char>& ctype = std::use_facet<std::ctype<char>>(in.getloc());
  std::streambuf* buffer = in.rdbuf();
  // Like extraction into a character array, a field width limits the word
  // to width - 1 characters. Without one nothing is counted, so a word of
  // any length is taken whole, wherever streamsize is as narrow as 32 bits.
  const bool limited = in.width() > 0;
  std::streamsize left = limited ? in.width() - 1 : 0;
  in.width(0);

  // The word goes straight into the String's own array, which doubles when
  // it is full and is trimmed to the word at the end. While an array is
  // replaced both are held, so a long word takes at most about three times
  // its length at any moment (2.3 times for 100,000 letters).
  const int capacityBefore = s.capacity;
  int stored = 0;
  bool extracted = false;
  std::ios_base::iostate state = std::ios_base::goodbit;
  for (; !limited || left > 0; extracted = true) {
    if (limited) --left;
    const int c = buffer->sgetc();
    if (c == std::char_traits<char>::eof()) {
      state |= std::ios_base::eofbit;
      break;
    }
    const char ch = std::char_traits<char>::to_char_type(c);
    if (ctype.is(std::ctype_base::space, ch)) break;
    // A zero byte cannot be part of a terminated text: it is consumed with
    // the word but not kept.
    if (ch != '\0') {
      if (stored == s.capacity) {
        // The array is full: it doubles (to at least 16), but never past the
        // longest text a String can hold. A word longer than that cannot be
        // held at all and counts as memory running out, just as when the heap
        // refuses the bigger array; either way the String keeps, terminated,
        // the part of the word read so far.
        s.data[stored] = '\0';
        const int room = kMaxLength - stored;
        if (room == 0) throw std::bad_alloc();
        s.resizeKeepingText(stored + std::min(std::max(stored, 16), room));
      }
      s.data[stored++] = ch;
    }
    buffer->sbumpc();
  }
  if (!extracted) {
    state |= std::ios_base::failbit;
  } else {
    s.data[stored] = '\0';
    // A word longer than the old capacity leaves an array of exactly its length.
    if (s.capacity > capacityBefore) s.resizeKeepingText(stored);
  }
  in.setstate(state);
  return in;
}

std::ostream& operator<<(std::ostream& out, const String& s) {
  return out << static_cast<const char*>(s.data);
}

std::istream& readLine(std::istream& in, String& s) {
  if (s.capacity == 0) return in;
  std::istream::sentry ok(in, true);  // A line keeps its leading whitespace.
  if (!ok) {
    s.data[0] = '\0';
    return in;
  }
  std::streambuf* buffer = in.rdbuf();
  int stored = 0;
  std::ios_base::iostate state = std::ios_base::goodbit;
  for (;;) {
    const int c = buffer->sgetc();
    if (c == std::char_traits<char>::eof()) {
      // Input that ends before any character of the line fails the read.
      state |= stored == 0 ? std::ios_base::eofbit | std::ios_base::failbit : std::ios_base::eofbit;
      break;
    }
    if (c == '\n') {
      buffer->sbumpc();
      break;
    }
    if (stored >= s.capacity - 1) break;  // The rest of the line stays.
    s.data[stored++] = std::char_traits<char>::to_char_type(c);
    buffer->sbumpc();
  }
  s.data[stored] = '\0';
  in.setstate(state);
  return in;
}
