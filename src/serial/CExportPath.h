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
    // The first extension a filter offers: ".vcf" for "vcf files (*.vcf)"; empty when none.
    static std::string FilterExtension(std::string_view filter);
    // The path with the chosen filter's extension ("vcf files (*.vcf)" gives ".vcf") appended,
    // unless it already ends in one of the extensions `filters` offers (any letter case).
    static std::string WithChosenExtension(std::string_view path, std::string_view filters,
                                           std::string_view chosenFilter);
};
