// Walking code page 936 texts character by character.
//
// A text of this program is a std::string of code page 936 bytes. A byte with the high bit set
// begins a double-byte character and takes the next byte with it, whatever that byte is; so a
// scan that steps by characters never finds an ASCII byte (a space, a backslash, a digit) inside
// a double-byte character. A lead byte at the very end, with no byte after it, is a cut
// character: the walk ends before it.
//
// Everything in the program that scans a text goes through CharAt or Characters.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace tessivo::text {

constexpr bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// The character that starts at byte offset `pos`: one byte, or a lead byte and its trail byte.
// Empty at or past the end of the text, and for a lead byte that has no trail byte.
constexpr std::string_view CharAt(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return {};
  if (!IsLeadByte(text[pos])) return text.substr(pos, 1);
  if (pos + 1 >= text.size()) return {};
  return text.substr(pos, 2);
}

// The complete characters of a text in order, each a view into the text (so the offset of a
// character is `ch.data() - text.data()`). A cut lead byte at the end is not visited.
class Characters {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string_view*;
    using reference = std::string_view;

    constexpr Iterator() = default;
    constexpr Iterator(std::string_view text, std::size_t pos)
        : text_(text), pos_(pos), current_(CharAt(text, pos)) {}

    constexpr std::string_view operator*() const { return current_; }
    constexpr Iterator& operator++() {
      pos_ += current_.size();
      current_ = CharAt(text_, pos_);
      return *this;
    }
    constexpr Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    // Every position where no complete character starts compares equal to the end.
    constexpr bool operator==(const Iterator& other) const {
      if (current_.empty() || other.current_.empty()) return current_.empty() && other.current_.empty();
      return pos_ == other.pos_;
    }

   private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::string_view current_;
  };

  constexpr explicit Characters(std::string_view text) : text_(text) {}
  constexpr Iterator begin() const { return Iterator(text_, 0); }
  constexpr Iterator end() const { return Iterator(text_, text_.size()); }

 private:
  std::string_view text_;
};

// The byte offset of the first occurrence of `needle` that starts on a character boundary at
// or after `from`, or npos. The scan stops at a cut lead byte at the end of the text.
constexpr std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  std::size_t pos = from;
  while (text.size() - pos >= needle.size()) {
    if (text.compare(pos, needle.size(), needle) == 0) return pos;
    const std::string_view ch = CharAt(text, pos);
    if (ch.empty()) break;
    pos += ch.size();
  }
  return std::string_view::npos;
}

// The byte offset of the last occurrence of a single-byte character (a backslash, say) that
// stands as a character of its own, or npos: a trail byte of equal value never counts.
constexpr std::size_t FindLast(std::string_view text, char ascii) {
  std::size_t found = std::string_view::npos;
  for (const std::string_view ch : Characters(text)) {
    if (ch.size() == 1 && ch[0] == ascii) found = static_cast<std::size_t>(ch.data() - text.data());
  }
  return found;
}

}  // namespace tessivo::text
