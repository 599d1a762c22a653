#pragma once

#include <functional>
#include <utility>

namespace ui {

// Runs a handler and shows any exception it throws on the default error
// display, so that nothing unwinds through Qt. Returns false when it failed.
bool Guard(const std::function<void()>& handler);

// Wraps a handler for connect(): connect(b, &QPushButton::clicked, Guarded([this] { BtnNewClick(); }));
template <typename F>
auto Guarded(F handler) {
  return [handler = std::move(handler)](auto&&...) { Guard(handler); };
}

}  // namespace ui
