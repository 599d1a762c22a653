#include "documents/PdfSubsetTags.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <vector>

namespace documents {

namespace {

constexpr int kTagLength = 7;  // "ABCDEF+"
constexpr int kEntryLength = 20;

bool IsDelimiter(char c) { return QByteArray(" \t\r\n/<>[]()").contains(c); }

QByteArray NameAt(const QByteArray& pdf, qsizetype at) {
  qsizetype end = at;
  while (end < pdf.size() && !IsDelimiter(pdf[end])) ++end;
  return pdf.mid(at, end - at);
}

bool IsTagged(const QByteArray& name) {
  if (name.size() <= kTagLength || name[kTagLength - 1] != '+') return false;
  return std::all_of(name.begin(), name.begin() + kTagLength - 1,
                     [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Untagged name -> tag, from the font descriptors.
std::map<QByteArray, QByteArray> SubsetTags(const QByteArray& pdf) {
  static const QByteArray key("/FontName /");
  std::map<QByteArray, QByteArray> tags;
  for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
    const QByteArray name = NameAt(pdf, at + key.size());
    if (IsTagged(name)) tags[name.mid(kTagLength)] = name.left(kTagLength);
  }
  return tags;
}

struct Insertion {
  qsizetype at;
  QByteArray text;
};

std::vector<Insertion> BaseFontInsertions(const QByteArray& pdf,
                                          const std::map<QByteArray, QByteArray>& tags) {
  static const QByteArray key("/BaseFont /");
  std::vector<Insertion> insertions;
  for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
    const auto tag = tags.find(NameAt(pdf, at + key.size()));
    if (tag != tags.end()) insertions.push_back({at + key.size(), tag->second});
  }
  return insertions;
}

qsizetype Moved(qsizetype offset, const std::vector<Insertion>& insertions) {
  qsizetype moved = offset;
  for (const Insertion& insertion : insertions)
    if (insertion.at < offset) moved += insertion.text.size();
  return moved;
}

std::optional<qsizetype> NumberAt(const QByteArray& text, qsizetype at, qsizetype* end = nullptr) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\r' || text[at] == '\n')) ++at;
  qsizetype value = 0;
  const auto [stop, error] = std::from_chars(text.constData() + at, text.constData() + text.size(), value);
  if (error != std::errc()) return std::nullopt;
  if (end) *end = stop - text.constData();
  return value;
}

// Rewrites the offsets of "xref" subsections starting at `table` in `out`.
bool MoveTable(QByteArray& out, qsizetype table, const std::vector<Insertion>& insertions) {
  if (!out.mid(table).startsWith("xref")) return false;
  qsizetype at = table + 4;
  while (true) {
    qsizetype after = 0;
    const auto first = NumberAt(out, at, &after);
    const auto count = first ? NumberAt(out, after, &after) : std::nullopt;
    if (!count) return out.mid(at).trimmed().startsWith("trailer");
    while (after < out.size() && (out[after] == ' ' || out[after] == '\r' || out[after] == '\n')) ++after;
    for (qsizetype entry = 0; entry < *count; ++entry, after += kEntryLength) {
      if (after + kEntryLength > out.size()) return false;
      if (out[after + 17] != 'n') continue;
      const auto offset = NumberAt(out, after);
      if (!offset) return false;
      out.replace(after, 10, QByteArray::number(Moved(*offset, insertions)).rightJustified(10, '0'));
    }
    at = after;
  }
}

}  // namespace

QByteArray PdfSubsetTags::Tagged(const QByteArray& pdf) {
  const std::vector<Insertion> insertions = BaseFontInsertions(pdf, SubsetTags(pdf));
  const qsizetype startxref = pdf.lastIndexOf("startxref");
  qsizetype numberEnd = 0;
  const auto table = startxref < 0 ? std::nullopt : NumberAt(pdf, startxref + 9, &numberEnd);
  if (insertions.empty() || !table) return pdf;
  QByteArray out;
  out.reserve(pdf.size() + static_cast<qsizetype>(insertions.size()) * kTagLength);
  qsizetype copied = 0;
  for (const Insertion& insertion : insertions) {
    out.append(pdf.mid(copied, insertion.at - copied)).append(insertion.text);
    copied = insertion.at;
  }
  out.append(pdf.mid(copied));
  const qsizetype movedTable = Moved(*table, insertions);
  if (!MoveTable(out, movedTable, insertions)) return pdf;
  const qsizetype shift = out.size() - pdf.size();
  out.replace(startxref + shift + 9, numberEnd - startxref - 9, "\n" + QByteArray::number(movedTable));
  return out;
}

}  // namespace documents
