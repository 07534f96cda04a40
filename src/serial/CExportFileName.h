#pragma once

#include <map>
#include <string>
#include <string_view>

// Names of the files one export writes into its folder. A title becomes a safe single name inside
// the folder: characters that separate or confuse paths become apostrophes, a name of dots alone
// cannot climb out, and a long name is cut at the file system's limit on a UTF-8 character boundary.
// Two different records whose names meet get " (2)", " (3)", ... before the extension; the same
// record named again gets its old name back, so it overwrites its earlier copy.
class CExportFileName {
public:
    explicit CExportFileName(std::string folder);

    // Replaces \ / : * ? " < > | and control characters with "'".
    static std::string SanitiseTitle(std::string_view title);
    // From the last "." to the end, case kept; empty when a separator follows that dot.
    static std::string DeviceExtension(std::string_view devicePath);
    // The longest prefix of `text` of at most `bytes` bytes that does not split a UTF-8 character.
    static std::string CutUtf8(std::string_view text, std::size_t bytes);
    // Title and extension as one name: the extension is left out when the title holds it already.
    static std::string Compose(std::string_view title, std::string_view extension, int copy,
                               std::size_t nameMax);

    // The full local path for the record known by `recordKey`; empty for an empty title.
    std::string PathFor(std::string_view title, std::string_view extension, const std::string& recordKey);
    const std::string& Folder() const { return m_folder; }
    std::size_t NameMax() const { return m_nameMax; }

private:
    bool IsTaken(const std::string& name, const std::string& recordKey) const;

    std::string m_folder;
    std::size_t m_nameMax;
    std::map<std::string, std::string> m_owners; // name -> record key
};
