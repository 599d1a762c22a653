#pragma once

#include <QString>

class QWidget;

// Types as a user would: keys for ASCII, an input-method commit for the rest
// (Chinese text included).
void TypeText(QWidget* widget, const QString& text);
