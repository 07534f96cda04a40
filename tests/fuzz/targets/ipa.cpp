// An .ipa as the user adds it: the zip archive, the bundle folder, its Info.plist and the icon.
#include "formats/IpaFile.h"

#include "FuzzRegistry.h"
#include "formats/ZipReader.h"

VEXA_FUZZ_TARGET(ipa) {
    const std::filesystem::path ipa = fuzz::Scratch() / "app.ipa";
    fuzz::WriteFile(ipa, data, size);
    vexa::formats::AppBundle app;
    if (!vexa::formats::ReadIpa(ipa, app))
        return 0;
    // An accepted archive only names entries that stay inside an extraction folder.
    vexa::formats::ZipReader zip;
    if (!zip.Open(ipa))
        fuzz::Fail("ReadIpa accepted an archive that ZipReader refuses");
    for (const auto& entry : zip.Entries()) {
        if (!vexa::formats::IsSafeRelativePath(entry.name) && entry.name.back() != '/')
            fuzz::Fail("an accepted archive holds an unsafe entry name");
    }
    return 0;
}
