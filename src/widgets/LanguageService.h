#pragma once

#include <QString>

#include "AppPaths.h"

// The process-wide language service: which translation is installed and from which folder every
// image is loaded. GUI thread only.

// Switches the program to the language `code`: saves it, installs its translation and emits
// QProUtil::languageChanged(). False, with nothing changed, when the code cannot be saved.
bool SetLanguage(int code);
// The language set by the last successful SetLanguage(); 31 (English) before that.
int CurrentLanguage();

// "<AppDirPath()>/Language/<Folder of the current language>", or AppDirPath() without a language file;
// follows a change of AppDirPath().
QString ResourceRoot();
// The current language's translation file, or an empty string without a language file.
QString TranslationFilePath();
// Tests that compare texts as the sources write them return to those after trying a language: removes
// the installed translations, leaving the current language as it is.
void RemoveTranslationsForTesting();
