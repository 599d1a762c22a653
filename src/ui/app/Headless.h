#pragma once

namespace ui {

// On a platform without a screen (offscreen, minimal) a modal dialog would
// wait for a click that can never come.
bool Headless();

}  // namespace ui
