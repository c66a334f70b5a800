#pragma once
// Qt's own German texts (standard buttons, file dialogs, edit menus), so the parts of the
// program that Qt draws speak German like the rest.

class QApplication;

namespace torvel {

// Loads qtbase_de from Qt's translations folder and installs it once; false when the
// translation is not there (Debian: package qt6-translations-l10n).
bool installGermanTranslations(QApplication &app);

} // namespace torvel
