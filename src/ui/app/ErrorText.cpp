#include "ui/app/ErrorText.h"

namespace ui {

QString ErrorText(const QString& message) {
  // A message that already ends in punctuation sorting at or before '.' keeps
  // its own ending; so does one of our Chinese sentences, which ends in its
  // own full stop. Everything else gets a full stop.
  if (message.isEmpty() || message.back().unicode() <= u'.' || message.back() == u'。') return message;
  return message + u'.';
}

}  // namespace ui
