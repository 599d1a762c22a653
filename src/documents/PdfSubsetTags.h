#pragma once

#include <QByteArray>

namespace documents {

// Qt's PDF engine embeds a subset of a font and tags the subset's name in the
// font descriptor ("QMAAAA+WenQuanYiZenHei") but not in the font's own
// BaseFont, so readers take the font for a whole one. This writes the tag
// into BaseFont too and moves the cross-reference table's offsets by the
// bytes added. A file of another shape is given back as it was.
class PdfSubsetTags {
 public:
  static QByteArray Tagged(const QByteArray& pdf);
};

}  // namespace documents
