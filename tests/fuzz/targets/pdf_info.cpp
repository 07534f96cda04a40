// Title and author of a PDF book the user adds.
#include "formats/PdfInfoReader.h"

#include "FuzzRegistry.h"

VEXA_FUZZ_TARGET(pdf_info) {
    const std::string document(reinterpret_cast<const char*>(data), size);
    const vexa::formats::PdfInfoReader reader(document);
    reader.IsPdf();
    reader.Read();
    // Strings are decoded wherever a dictionary value may start, not only where the trailer leads.
    for (size_t at = document.find_first_of("(<"); at != std::string::npos && at < 4096;
         at = document.find_first_of("(<", at + 1))
        vexa::formats::PdfInfoReader::DecodeString(document, at);
    return 0;
}
