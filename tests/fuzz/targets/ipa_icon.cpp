// The icon of an app bundle: whatever bytes sit under the name the Info.plist declares come back whole
// (up to the size limit) for the app list to draw.
#include "formats/IpaFile.h"
#include "formats/ZipWriter.h"

#include <QImage>

#include "FuzzRegistry.h"

namespace {

const char kInfoPlist[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
    "<key>CFBundleIdentifier</key><string>com.example.fuzz</string>"
    "<key>CFBundleExecutable</key><string>Fuzz</string>"
    "<key>CFBundleIcons</key><dict><key>CFBundlePrimaryIcon</key><dict><key>CFBundleIconFiles</key>"
    "<array><string>AppIcon60x60</string></array></dict></dict></dict></plist>\n";

} // namespace

VEXA_FUZZ_TARGET(ipa_icon) {
    const std::filesystem::path ipa = fuzz::Scratch() / "icon.ipa";
    {
        vexa::formats::ZipWriter zip;
        if (!zip.Open(ipa) || !zip.Add("Payload/Fuzz.app/Info.plist", std::string(kInfoPlist)) ||
            !zip.Add("Payload/Fuzz.app/AppIcon60x60@2x.png", std::vector<uint8_t>(data, data + size)) ||
            !zip.Close())
            fuzz::Fail("can't write the archive around the icon");
    }
    vexa::formats::AppBundle app;
    if (!vexa::formats::ReadIpa(ipa, app))
        fuzz::Fail("a well-formed archive was refused");
    if (app.iconPng != std::vector<uint8_t>(data, data + size))
        fuzz::Fail("the icon did not come back whole");
    QImage::fromData(app.iconPng.data(), static_cast<int>(app.iconPng.size()));
    return 0;
}
