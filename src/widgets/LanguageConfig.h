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
// Reads the user's copy when there is one, else the installed file; saving always writes the user's copy.
class LanguageConfig {
public:
    static constexpr int kDefaultCode = 31;

    LanguageConfig();

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
    void Load();
    void ReadItems(const QDomDocument& document);

    std::map<int, LanguageEntry> m_entries;
    int m_current = kDefaultCode;
};
