#pragma once

#include <QString>

// The folders and files the program finds beside itself or in the user's folders. No language logic:
// which language file is in use is LanguageConfig's business.

// The executable's folder.
QString AppDirPath();
// "<temp>/Vexa Manager Backup", created on first use.
QString WorkDir();
// The installed language file, "<AppDirPath()>/Language/language.xml".
QString InstalledLanguageFilePath();
// The user's copy, "$XDG_CONFIG_HOME/vexa-transfer/Language/language.xml", written by every save.
QString UserLanguageFilePath();

// Tests point the program folder at a folder of their own; an empty path returns to the executable's
// folder.
void SetAppDirPathForTesting(const QString& path);
