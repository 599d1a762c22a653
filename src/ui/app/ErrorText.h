#pragma once

#include <QString>

namespace ui {

// The text the default error display shows: the message with a full stop
// appended unless it already ends in one or in a character that sorts before it.
QString ErrorText(const QString& message);

}  // namespace ui
