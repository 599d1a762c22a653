#pragma once

class QFrame;
class QWidget;

// The look shared by the customer window's parts.
namespace custfrm {

// A panel without caption: raised inner and lowered outer bevel.
void SetPanelLook(QFrame* panel);
// Paints an edit box's background in the button-face colour.
void SetButtonFaceBase(QWidget* box);

}  // namespace custfrm
