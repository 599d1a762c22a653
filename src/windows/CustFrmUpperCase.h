#pragma once

#include <QValidator>

// Turns every letter typed into a box into its capital, as the address search box wants.
class CustFrmUpperCase : public QValidator {
  Q_OBJECT
 public:
  explicit CustFrmUpperCase(QObject* parent) : QValidator(parent) {}
  State validate(QString& input, int& position) const override;
};
