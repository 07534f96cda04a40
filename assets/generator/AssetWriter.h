#pragma once

#include <QString>
#include <QStringList>

#include "AssetCatalog.h"

// Draws every image of the catalogue into one language folder.
class AssetWriter {
public:
    explicit AssetWriter(QString languageDir);

    bool WriteLanguage(const LanguageFolder& language);
    bool WriteAsset(const AssetSpec& spec, const LanguageFolder& language);
    const QStringList& Errors() const { return m_errors; }
    const QStringList& Warnings() const { return m_warnings; }

private:
    QString m_languageDir;
    QStringList m_errors;
    QStringList m_warnings;
};
