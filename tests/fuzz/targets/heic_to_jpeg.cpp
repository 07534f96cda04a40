// A HEIC picture offered to the JPEG conversion (the export's option and the HEIC to JPEG tool): it is
// read through libheif or refused, and what comes out is one whole JPEG.
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzRegistry.h"
#include "formats/JpegConverter.h"

VEXA_FUZZ_TARGET(heic_to_jpeg) {
    const auto source = fuzz::Scratch() / "heic_to_jpeg.heic";
    const auto target = fuzz::Scratch() / "heic_to_jpeg.jpg";
    std::error_code error;
    std::filesystem::remove(target, error);
    if (!fuzz::WriteFile(source, data, size))
        return 0;
    const bool converted = vexa::formats::JpegConverter::Convert(source, target);
    if (!converted) {
        if (std::filesystem::exists(target, error))
            fuzz::Fail("a refused picture left a file behind");
        return 0;
    }
    std::ifstream in(target, std::ios::binary);
    const std::vector<unsigned char> jpeg((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8 || jpeg[jpeg.size() - 2] != 0xFF ||
        jpeg.back() != 0xD9)
        fuzz::Fail("the conversion wrote something that is not a whole JPEG");
    return 0;
}
