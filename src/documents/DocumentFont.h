#pragma once

#include <QString>
#include <QStringList>

namespace documents {

// The CJK font documents are set in. Qt's PDF engine embeds a subset of a
// font only when the font was loaded from its file, so the family is loaded
// here from the first Debian font file present. Needs a QGuiApplication.
class DocumentFont {
 public:
  // The loaded family; throws WriteFailure naming the files looked for when none loads.
  static QString Family();
  static const QStringList& CandidateFiles();
};

}  // namespace documents
