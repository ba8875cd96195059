#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

// The language of the user interface, chosen once at start by every program of Zolvera.
namespace zolvera::platform {

// The program's own language, Hungarian, whose texts are the source texts.
inline const QString kSourceLanguage = QStringLiteral("hu");

// The language for the user's UI languages, in their order of preference: "hu" for Hungarian
// and for the C/POSIX locale (the program's own texts), else the first language the program
// has a translation for, else English.
QString chooseUiLanguage(const QStringList& uiLanguages);

// Installs into the application the translators of the language chosen for the UI languages:
// the program's translation and Qt's own texts (the buttons of message boxes and file dialogs)
// in that language; Hungarian gets Qt's texts in the system's language. Returns the language.
QString installUiLanguage(QCoreApplication& application,
                          const QStringList& uiLanguages = QLocale::system().uiLanguages());

// The language installUiLanguage chose last; Hungarian before it ran.
QString uiLanguage();

} // namespace zolvera::platform
