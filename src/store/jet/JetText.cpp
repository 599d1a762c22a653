#include "store/jet/JetText.h"

#include <cerrno>
#include <cstdint>

#include "store/StoreError.h"

namespace store::jet {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Joins surrogate pairs as the code units arrive.
class Utf16Sink {
 public:
  explicit Utf16Sink(std::string& out) : out_(out) {}
  ~Utf16Sink() { Flush(); }
  void Unit(char16_t unit) {
    if (unit >= 0xDC00 && unit < 0xE000 && high_) {
      AppendUtf8(out_, 0x10000 + ((static_cast<char32_t>(high_) - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    Flush();
    if (unit >= 0xD800 && unit < 0xDC00)
      high_ = unit;
    else
      AppendUtf8(out_, unit >= 0xDC00 && unit < 0xE000 ? kReplacement : unit);
  }

 private:
  void Flush() {
    if (high_) AppendUtf8(out_, kReplacement);
    high_ = 0;
  }
  std::string& out_;
  char16_t high_ = 0;
};

}  // namespace

std::string UnicodeTextToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  Utf16Sink sink(out);
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
  if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
    bool compressed = true;
    for (std::size_t at = 2; at < bytes.size();) {
      if (byte(at) == 0) {
        compressed = !compressed;
        ++at;
      } else if (compressed) {
        sink.Unit(byte(at++));
      } else if (at + 1 < bytes.size()) {
        sink.Unit(static_cast<char16_t>(byte(at) | (byte(at + 1) << 8)));
        at += 2;
      } else {
        break;
      }
    }
    return out;
  }
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
    sink.Unit(static_cast<char16_t>(byte(at) | (byte(at + 1) << 8)));
  return out;
}

std::string CodePageName(int codePage) { return "CP" + std::to_string(codePage); }

CodePageText::CodePageText(const std::string& encoding)
    : name_(encoding), converter_(iconv_open("UTF-8", encoding.c_str())) {
  if (converter_ == reinterpret_cast<iconv_t>(-1))
    throw StoreError("Unknown text encoding '" + encoding + "' (try CP950, CP936 or CP1252)");
}

CodePageText::~CodePageText() { iconv_close(converter_); }

std::string CodePageText::ToUtf8(std::string_view bytes) {
  std::string out(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* to = out.data();
  std::size_t toLeft = out.size();
  iconv(converter_, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    if (iconv(converter_, &in, &inLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen: four bytes a byte is room enough
    // A byte that starts no character here, or a character cut off at the end.
    ++in;
    --inLeft;
    ++replaced_;
    std::string mark;
    AppendUtf8(mark, kReplacement);
    for (char c : mark) *to++ = c, --toLeft;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return out;
}

}  // namespace store::jet
