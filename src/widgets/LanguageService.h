#pragma once

#include <QString>

// The process-wide language service: which translation is installed and from which folder every
// image is loaded. GUI thread only.

// Switches the program to the language `code`: saves it, installs its translation and emits
// QProUtil::languageChanged(). False, with nothing changed, when the code cannot be saved.
bool SetLanguage(int code);
// The language set by the last successful SetLanguage(); 31 (English) before that.
int CurrentLanguage();

// "<AppDirPath()>/Language/<Folder of the current language>", or AppDirPath() without a language file.
QString ResourceRoot();
// The current language's translation file, or an empty string without a language file.
QString TranslationFilePath();
// The executable's folder.
QString AppDirPath();
// "<temp>/Vexa Manager Backup", created on first use.
QString WorkDir();

// The language file in use: the user's copy when it names a usable language, else the installed one.
QString LanguageFilePath();
// The installed language file, "<AppDirPath()>/Language/language.xml".
QString InstalledLanguageFilePath();
// The user's copy, "$XDG_CONFIG_HOME/vexa-transfer/Language/language.xml", written by every save.
QString UserLanguageFilePath();

// Tests point the program folder at a folder of their own; an empty path returns to the executable's
// folder. Also forgets the cached resource root.
void SetAppDirPathForTesting(const QString& path);
// Tests that compare texts as the sources write them return to those after trying a language: removes
// the installed translations, leaving the current language as it is.
void RemoveTranslationsForTesting();
