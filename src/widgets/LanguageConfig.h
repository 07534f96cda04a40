#pragma once

#include <map>

#include <QString>

class QDomDocument;

// One language the program offers: its menu text, its folder under Language/ and its translation file.
struct LanguageEntry {
    QString Display;
    QString Folder;
    QString QMFile;
};

// The language file: the languages on offer, keyed by locale language number, and the one in use.
// Reads the user's copy when it names a usable language, else the installed file; saving always writes
// the user's copy.
class LanguageConfig {
public:
    static constexpr int kDefaultCode = 31;

    LanguageConfig();

    // True when the file parses and the language it has in use is one of its items whose folder exists
    // under the program's Language folder. A damaged user copy fails this and is passed over.
    static bool NamesUsableLanguage(const QString& path);

    int Current() const { return m_current; }
    int Size() const { return static_cast<int>(m_entries.size()); }
    // Code of the index-th language in ascending code order; the default code past the end.
    int CodeAt(int index) const;
    // Three empty strings for an unknown code.
    LanguageEntry Entry(int code) const;
    bool Contains(int code) const { return m_entries.count(code) != 0; }
    // Records `code` as the language in use; false (and nothing changed) when the code is unknown,
    // there is no language file, or the user's copy cannot be written.
    bool Save(int code);

private:
    explicit LanguageConfig(const QString& path);
    void Load(const QString& path);
    void ReadItems(const QDomDocument& document);

    std::map<int, LanguageEntry> m_entries;
    int m_current = kDefaultCode;
};

// The language file in use: the user's copy when it names a usable language, else the installed one.
QString LanguageFilePath();
