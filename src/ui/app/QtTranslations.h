#pragma once

namespace ui {

// Puts Qt's own texts (standard buttons such as 確定 / 取消, edit-box context
// menus, standard dialogs) into Traditional Chinese whatever the system locale,
// as the program's own texts are. The catalogue built into the program is
// preferred; Qt's installed one is the fallback. False when neither loads.
bool InstallQtTranslations();

}  // namespace ui
