#include "CMessageChunk.h"

#include "IBaseSerial.h"

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
    for (const Entry& entry : messages) {
        writer->BeginItem("Item", -1);
        writer->WriteString("Datetime", entry.dateTime.c_str());
        writer->WriteString("Type", entry.type.c_str());
        writer->WriteString("Text", entry.text.c_str());
        writer->EndItem();
    }
    writer->EndItem();
    writer->EndItem();
}
