#pragma once

#include <QString>

class QWidget;

// The way in for a team coming from the old program: when the working
// folder's data.mdb is an Access file, says so and offers to import it. On Yes
// the data goes into a new file beside it (a progress dialog that can be
// cancelled), the new file is checked, the Access file is kept under a name
// that says what it is, never changed, and the new file takes the name
// data.mdb; a summary follows. On No, Cancel or a failure data.mdb stays
// exactly as it was and the notice says what to do.
class AccessImportOffer {
 public:
  static constexpr const char* kProgressName = "AccessImportProgress";

  // Nothing unless `path` is an Access file; true when it was imported.
  static bool OfferAt(QWidget* parent, const QString& path);
};
