#pragma once
// The text form of settings files: numbers as the program writes and reads
// them, key strings, and the conversion between the program's 8-bit text (Mac
// Roman codes) and the bytes of a file.
//
// Files are written as UTF-8 with LF line ends. They are read as UTF-8 when
// the whole file is valid UTF-8 and as Mac Roman otherwise, with CR, LF or
// CR LF line ends, so that a settings file brought from a Mac loads. A CR or
// LF inside a value is written as the Unicode symbol for it (U+240D, U+240A),
// which no 8-bit value can otherwise produce, so a value can never spill onto
// the following lines and reads back exactly.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// A text value holds at most this many bytes; a reader drops the rest of a
// longer line.
constexpr std::size_t kMaxSettingsText = 255;

// The program's number form: decimal, one blank before a number that is not
// negative, "-" before a negative one (" 7", "-1").
std::string NumberLine(int64_t value);

// Reads a number the way the program always has: leading blanks, an optional
// sign and decimal digits up to the first character that cannot continue the
// number, or "&H" and hexadecimal digits. Text that holds no number reads as 0;
// `found` tells whether there was one.
int64_t ReadNumber(std::string_view text, bool* found = nullptr);

// Keeps the low `bits` bits of a value as a signed number (8, 16 or 32), as
// storing it in a variable of that width does.
int32_t TruncateToWidth(int64_t value, int bits);

// A key string as a settings line: each CR becomes the token "{CR" and each LF
// "{LF", which the key sender turns back into CR and LF. When the tokens would
// make the line longer than a value may be, the string is kept as it is (the
// file encoding then keeps its CR and LF).
std::string KeyStringLine(std::string_view value);

// The bytes of a settings file for these lines (8-bit codes).
std::string EncodeSettingsFile(const std::vector<std::string>& lines);

// A settings file being read, line by line, as the program's 8-bit text.
// Reading past the last line gives empty lines and sets the error state, which
// stays set until it is cleared.
class SettingsLineReader {
 public:
  SettingsLineReader() = default;
  explicit SettingsLineReader(std::string_view fileBytes);

  // The next line, at most kMaxSettingsText bytes of it.
  std::string ReadLine();
  bool Error() const { return error_; }
  void ClearError() { error_ = false; }
  // Nothing more is read from the file: the following lines read as past its end.
  void SkipToEnd() { next_ = lines_.size(); }
  // The file was Mac Roman (not UTF-8).
  bool MacRoman() const { return macRoman_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  bool error_ = false;
  bool macRoman_ = false;
};

}  // namespace korvane
