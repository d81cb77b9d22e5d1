#pragma once

#include <QLocale>

// Installs the windows' catalogue and Qt's own (the standard dialogs' buttons) for the
// language of the locale; English, the texts' own language, needs none. Returns whether a
// catalogue of the program's was found.
bool InstallTranslations(const QLocale& locale = QLocale());
