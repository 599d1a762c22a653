#pragma once

class QWidget;

namespace ui {

// Ties each caption label of a panel laid out by coordinates to the field it
// stands before: the nearest control to its right on the same row becomes the
// label's buddy and takes the caption (without its trailing blanks) as its
// accessible name, so that a screen reader announces the box with its caption.
void TieLabelsToFields(QWidget* panel);

}  // namespace ui
