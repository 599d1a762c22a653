#include "ui/menu/Form.h"

#include <QWidget>

namespace ui {

Form::Form(QWidget* window) : Component(nullptr), window_(window) {}

Form::~Form() { DestroyComponents(); }

QString Form::Caption() const { return window_ ? window_->windowTitle() : QString(); }

}  // namespace ui
