#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace store::jet {

// Jet 4 and ACE text: UTF-16LE, or Jet's compressed form (FF FE, then one byte
// a character; a zero byte switches to two bytes a character and back).
// Surrogate pairs become one character; a lone surrogate becomes U+FFFD.
std::string UnicodeTextToUtf8(std::string_view bytes);

// The iconv name of a Windows code page number: 950 -> "CP950".
std::string CodePageName(int codePage);

// Jet 3 text: bytes in one code page, converted to UTF-8. Bytes that are not
// text in that code page become U+FFFD and are counted.
class CodePageText {
 public:
  explicit CodePageText(const std::string& encoding);  // throws StoreError for an unknown name
  ~CodePageText();
  CodePageText(const CodePageText&) = delete;
  CodePageText& operator=(const CodePageText&) = delete;

  const std::string& Name() const { return name_; }
  std::string ToUtf8(std::string_view bytes);
  long long Replaced() const { return replaced_; }

 private:
  std::string name_;
  iconv_t converter_;
  long long replaced_ = 0;
};

}  // namespace store::jet
