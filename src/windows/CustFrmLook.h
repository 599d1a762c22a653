#pragma once

#include <QString>

class QFrame;
class QWidget;

// The look shared by the customer window's parts.
namespace custfrm {

// The input method the boxes, pick list and grid ask for when they get the focus.
inline const QString kImeName = QStringLiteral("中文 (简体) - 微软拼音");

// A panel without caption: raised inner and lowered outer bevel.
void SetPanelLook(QFrame* panel);
// Paints an edit box's background in the button-face colour.
void SetButtonFaceBase(QWidget* box);
// Button face and "MS Sans Serif", 11 pixels high.
void SetWindowLook(QWidget* window);

}  // namespace custfrm
