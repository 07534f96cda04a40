#pragma once

#include <QList>
#include <QString>

#include "AssetSpec.h"

struct LanguageFolder {
    QString folder; // sub-folder of the language directory
    QString code;   // "en", "de", "zh"
};

// The one list of every image the program loads, and the language folders they are drawn for.
class AssetCatalog {
public:
    static const QList<AssetSpec>& All();
    static const QList<LanguageFolder>& Languages();
};
