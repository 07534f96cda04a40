#pragma once

#include <QString>

#include "AssetCatalog.h"

// Lays every drawn image of one language folder out on one page with its name, for reviewing the set
// at a glance.
class ContactSheet {
public:
    static bool Write(const QString& languageDir, const LanguageFolder& language, const QString& target,
                      QString* error);
};
