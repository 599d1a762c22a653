#include "ui/app/ErrorText.h"

namespace ui {

QString ErrorText(const QString& message) {
  // A message that already ends in punctuation sorting at or before '.' keeps
  // its own ending; everything else gets a full stop.
  if (message.isEmpty() || message.back().unicode() <= u'.') return message;
  return message + u'.';
}

}  // namespace ui
