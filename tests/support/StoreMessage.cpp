#include "StoreMessage.h"

#include "store/StoreError.h"

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const store::StoreError& error) {
    return error.what();
  }
  return "(no error)";
}
