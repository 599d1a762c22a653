#pragma once

namespace ui {

// The one salesperson offered by the pick lists of the customer and quotation
// windows; the lists stay free text, so other names can still be typed.
inline constexpr const char* kSalesperson = "王小明";

}  // namespace ui
