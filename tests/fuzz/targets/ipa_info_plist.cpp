// The Info.plist of an app bundle (binary or XML), inside an otherwise well-formed .ipa.
#include "formats/IpaFile.h"
#include "formats/ZipWriter.h"

#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(ipa_info_plist) {
    const std::filesystem::path ipa = fuzz::Scratch() / "info.ipa";
    {
        vexa::formats::ZipWriter zip;
        if (!zip.Open(ipa) ||
            !zip.Add("Payload/Fuzz.app/Info.plist", std::vector<uint8_t>(data, data + size), false) ||
            !zip.Add("Payload/Fuzz.app/AppIcon60x60@2x.png", std::string("\x89PNG\r\n\x1a\n", 8), false) ||
            !zip.Close())
            fuzz::Fail("can't write the archive around the plist");
    }
    vexa::formats::AppBundle app;
    vexa::formats::ReadIpa(ipa, app);
    return 0;
}
