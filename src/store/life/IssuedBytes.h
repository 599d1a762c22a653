#pragma once

#include <string>
#include <string_view>

namespace store::life {

// The SHA-256 of some bytes, in lower-case hexadecimal.
std::string Sha256Hex(std::string_view bytes);

// Issued PDFs are kept as Base64 text, which both stores and the copy between
// them carry unchanged (a server's text cannot hold a zero byte).
std::string ToBase64(std::string_view bytes);
// Throws StoreError when the text is not Base64.
std::string FromBase64(std::string_view text);

}  // namespace store::life
