#pragma once

#include <string>
#include <string_view>

// How a typed save path is read: its extension picks the writer, its folder part is created and
// opened. Both separators count, so a path typed with backslashes reads the same.
class CExportPath {
public:
    // From the last "." to the end, lower-cased; empty when a separator follows that dot.
    static std::string Extension(std::string_view path);
    // Everything up to and including the last separator; empty when there is none or it is the
    // first character.
    static std::string FolderPart(std::string_view path);
};
