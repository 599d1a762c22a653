#include "store/life/QuotationSnapshot.h"

#include "store/Backend.h"
#include "store/Parameters.h"
#include "store/Text.h"
#include "store/life/LifeRows.h"

namespace store::life {

namespace {

// Values are escaped so that tabs and line breaks separate fields and lines.
std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\t')
      out += "\\t";
    else
      out += c;
  }
  return out;
}

std::string Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\\' || at + 1 == text.size()) {
      out += text[at];
      continue;
    }
    const char next = text[++at];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
  }
  return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  if (text.empty()) return parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// One field a line: the name, then a tab and the value unless it is null.
std::string EncodeFields(const Fields& fields) {
  std::string out;
  for (const auto& [name, value] : fields)
    out += (out.empty() ? "" : "\n") + Escaped(name) + (value ? "\t" + Escaped(*value) : std::string());
  return out;
}

Fields DecodeFields(std::string_view text) {
  Fields fields;
  for (std::string_view part : Split(text, '\n')) {
    const std::size_t tab = part.find('\t');
    fields.emplace_back(Unescaped(part.substr(0, tab)),
                        tab == std::string_view::npos
                            ? std::nullopt
                            : std::optional<std::string>(Unescaped(part.substr(tab + 1))));
  }
  return fields;
}

Fields RowFields(const LifeRows& rows, int row, bool withoutKey) {
  Fields fields;
  for (std::size_t c = 0; c < rows.Columns().size(); ++c) {
    const std::string& name = rows.Columns()[c].name;
    if (withoutKey && (SameText(name, "Cust_no") || SameText(name, "quotation_number"))) continue;
    fields.emplace_back(name, rows.Value(row, static_cast<int>(c)));
  }
  return fields;
}

}  // namespace

std::optional<std::string> QuotationSnapshot::HeaderValue(std::string_view column) const {
  for (const auto& [name, value] : header)
    if (SameText(name, column)) return value;
  return std::nullopt;
}

std::string QuotationSnapshot::EncodedHeader() const { return EncodeFields(header); }

std::string QuotationSnapshot::EncodedLines() const {
  std::string out;
  for (const Fields& line : lines) out += (out.empty() ? "" : "\n") + Escaped(EncodeFields(line));
  return out;
}

QuotationSnapshot QuotationSnapshot::Decode(std::string_view header, std::string_view lines) {
  QuotationSnapshot snapshot{DecodeFields(header), {}};
  for (std::string_view line : Split(lines, '\n')) snapshot.lines.push_back(DecodeFields(Unescaped(line)));
  return snapshot;
}

QuotationSnapshot QuotationSnapshot::Read(Backend& store, const QuotationKey& key) {
  const Parameters params = KeyParameters(key);
  QuotationSnapshot snapshot;
  LifeRows header(store, "select * from Quomaster where Cust_no = :customer and quotation_number = :number",
                  params);
  if (header.Count() == 0) return snapshot;
  snapshot.header = RowFields(header, 0, false);
  LifeRows lines(store,
                 std::string("select * from QuoDilate where Cust_no = :customer and quotation_number = "
                             ":number order by serial_number, ") +
                     store.RowIdColumn(),
                 params);
  for (int row = 0; row < lines.Count(); ++row) snapshot.lines.push_back(RowFields(lines, row, true));
  return snapshot;
}

std::string LineSummary(const Fields& line) {
  std::string out;
  for (const auto& [name, value] : line)
    if (value && !value->empty()) out += (out.empty() ? "" : "; ") + name + "=" + *value;
  return out;
}

}  // namespace store::life
