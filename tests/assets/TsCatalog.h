#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The messages of Qt Linguist .ts files: which (context, source) pairs they carry and which of their
// entries are not ready to ship.
class TsCatalog {
public:
    bool Load(const QString& path, QString* error);

    // Messages with a finished translation.
    const QSet<QString>& Keys() const { return m_keys; }
    // Every message the sources still use, translated or not.
    const QSet<QString>& SourceKeys() const { return m_sourceKeys; }
    const QStringList& Problems() const { return m_problems; }

    static QString Key(const QString& context, const QString& source) {
        return context + QLatin1String(" :: ") + source;
    }

private:
    QSet<QString> m_keys;
    QSet<QString> m_sourceKeys;
    QStringList m_problems;
};
