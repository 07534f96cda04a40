#include "CMessageChunk.h"

#include <algorithm>

#include "IBaseSerial.h"

bool CMessageChunk::Attachment::IsImage() const {
    if (!mimeType.empty())
        return mimeType.rfind("image/", 0) == 0;
    return uti == "public.jpeg" || uti == "public.png" || uti == "public.heic" || uti == "com.compuserve.gif";
}

void CMessageChunk::Reset() {
    IBaseChunk::Reset();
    number.clear();
    messages.clear();
    UpdateTexts();
}

void CMessageChunk::UpdateTexts() {
    nameText = QString::fromStdString(GetName());
    numberText = QString::fromStdString(number);
}

void CMessageChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("Item", -1);
    writer->WriteString("Name", GetName().c_str());
    writer->WriteString("PhoneNumber", number.c_str());
    writer->BeginItem("Contexts", -1);
    // A conversation with attachments gives every message the column, so that a spreadsheet's header
    // (taken from the first message) names it.
    const bool withFiles = std::any_of(messages.begin(), messages.end(),
                                       [](const Entry& entry) { return !entry.attachments.empty(); });
    for (const Entry& entry : messages) {
        writer->BeginItem("Item", -1);
        writer->WriteString("Datetime", entry.dateTime.c_str());
        writer->WriteString("Type", entry.type.c_str());
        writer->WriteString("Text", entry.text.c_str());
        if (withFiles) {
            // The copies an export made; a file that could not be copied is named as the device had it.
            std::string files;
            for (const Attachment& attachment : entry.attachments) {
                files += files.empty() ? "" : "\n";
                files += attachment.exportPath.empty() ? attachment.name : attachment.exportPath;
            }
            writer->WriteString("Attachments", files.c_str());
        }
        writer->EndItem();
    }
    writer->EndItem();
    writer->EndItem();
}
