#include "store/life/IssuedBytes.h"

#include <openssl/evp.h>

#include <array>

#include "store/StoreError.h"

namespace store::life {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int SextetOf(char c) {
  const char* at = std::char_traits<char>::find(kAlphabet, 64, c);
  return at ? static_cast<int>(at - kAlphabet) : -1;
}

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int size = 0;
  if (!EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, EVP_sha256(), nullptr))
    throw StoreError("SHA-256 could not be computed");
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

std::string ToBase64(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    const std::size_t left = bytes.size() - at;
    unsigned value = static_cast<unsigned char>(bytes[at]) << 16;
    if (left > 1) value |= static_cast<unsigned char>(bytes[at + 1]) << 8;
    if (left > 2) value |= static_cast<unsigned char>(bytes[at + 2]);
    out += kAlphabet[(value >> 18) & 63];
    out += kAlphabet[(value >> 12) & 63];
    out += left > 1 ? kAlphabet[(value >> 6) & 63] : '=';
    out += left > 2 ? kAlphabet[value & 63] : '=';
  }
  return out;
}

std::string FromBase64(std::string_view text) {
  if (text.size() % 4 != 0) throw StoreError("Damaged Base64 text");
  std::string out;
  for (std::size_t at = 0; at < text.size(); at += 4) {
    unsigned value = 0;
    int padding = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text[at + i];
      const int sextet = c == '=' && at + 4 == text.size() && i >= 2 ? (++padding, 0) : SextetOf(c);
      if (sextet < 0 || (padding > 0 && c != '=')) throw StoreError("Damaged Base64 text");
      value = value << 6 | static_cast<unsigned>(sextet);
    }
    out += static_cast<char>(value >> 16);
    if (padding < 2) out += static_cast<char>((value >> 8) & 255);
    if (padding < 1) out += static_cast<char>(value & 255);
  }
  return out;
}

}  // namespace store::life
