#include "windows/CustFrmUpperCase.h"

QValidator::State CustFrmUpperCase::validate(QString& input, int& position) const {
  // Case mapping can change the length (German sharp s); keep the cursor inside.
  input = input.toUpper();
  if (position > input.size()) position = static_cast<int>(input.size());
  return Acceptable;
}
