#pragma once

class QCoreApplication;

namespace kelvra {

// The program's own messages and Qt's in the language of the system locale (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG); English where there is no translation.
void installTranslations(QCoreApplication& app);

}  // namespace kelvra
