#include "store/pg/UriPassword.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace store::pg {

namespace {

constexpr std::string_view kHidden = "***";

struct Span {
  std::size_t begin;
  std::size_t end;
};

// The user part ends at the first "@" before the first "/", as the server
// library reads it; the password follows its first ":".
void AddUserPassword(std::string_view uri, std::size_t authority, std::vector<Span>& spans) {
  const std::size_t at = uri.find_first_of("@/", authority);
  if (at == std::string_view::npos || uri[at] != '@') return;
  const std::size_t colon = uri.find(':', authority);
  if (colon != std::string_view::npos && colon + 1 < at) spans.push_back({colon + 1, at});
}

void AddParameterPasswords(std::string_view uri, std::vector<Span>& spans) {
  std::size_t at = uri.find('?');
  while (at != std::string_view::npos && at < uri.size()) {
    const std::size_t begin = at + 1;
    const std::size_t end = std::min(uri.find('&', begin), uri.size());
    constexpr std::string_view kKey = "password=";
    if (uri.substr(begin, kKey.size()) == kKey && begin + kKey.size() < end)
      spans.push_back({begin + kKey.size(), end});
    at = end;
  }
}

// Where the URI holds passwords, in order.
std::vector<Span> Passwords(std::string_view uri) {
  std::vector<Span> spans;
  if (uri.find("://") == std::string_view::npos) return spans;  // a file path: no password in it
  AddUserPassword(uri, uri.find("://") + 3, spans);
  AddParameterPasswords(uri, spans);
  return spans;
}

int HexValue(char c) {
  if (std::isdigit(static_cast<unsigned char>(c))) return c - '0';
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Percent escapes decoded where they are valid; the rest kept as written.
std::string Decoded(std::string_view text) {
  std::string decoded;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const int high = at + 2 < text.size() && text[at] == '%' ? HexValue(text[at + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[at + 2]) : -1;
    if (low < 0) {
      decoded += text[at];
      continue;
    }
    decoded += static_cast<char>(high * 16 + low);
    at += 2;
  }
  return decoded;
}

void HideAll(std::string& message, const std::string& secret) {
  if (secret.empty()) return;
  for (std::size_t at = message.find(secret); at != std::string::npos;
       at = message.find(secret, at + kHidden.size()))
    message.replace(at, secret.size(), kHidden);
}

}  // namespace

std::string WithoutPassword(std::string_view uri) {
  std::string shown;
  std::size_t copied = 0;
  for (const Span& span : Passwords(uri)) {
    shown.append(uri.substr(copied, span.begin - copied)).append(kHidden);
    copied = span.end;
  }
  return shown.append(uri.substr(copied));
}

std::string WithoutPasswordOf(std::string message, std::string_view uri) {
  for (const Span& span : Passwords(uri)) {
    const std::string_view written = uri.substr(span.begin, span.end - span.begin);
    HideAll(message, std::string(written));
    HideAll(message, Decoded(written));
  }
  return message;
}

}  // namespace store::pg
