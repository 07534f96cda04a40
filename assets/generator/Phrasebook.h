#pragma once

#include <QString>

// The words drawn into images, in German and Chinese. Images cannot go through Qt's translator, so each
// language folder gets its own drawing with the words already translated.
class Phrasebook {
public:
    // Returns false when the phrase has no translation for the language, so no image ships half-translated.
    static bool Translate(const QString& english, const QString& languageCode, QString* translated);
};
