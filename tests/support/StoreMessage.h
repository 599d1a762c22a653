#pragma once

#include <functional>
#include <string>

// The message of the store error an action throws, "(no error)" when it throws none.
std::string MessageOf(const std::function<void()>& action);
