#pragma once

#include <QString>

// The help file of the current language, "Vexa Transfer help.html" in its folder, opened in the
// system's browser.
class CHelpFile {
public:
    static QString Path();
    // Opens the help at `section` (an anchor of the page, such as "connect"), or at its top when empty.
    // False when no program could open it.
    static bool Open(const QString& section = QString());
};
