#include "CContactChunk.h"

#include <QDebug>

#include <vexa/IVexaManager.h>

#include "IBaseSerial.h"

CContactChunk::CContactChunk(IVexaManager* manager)
    : m_manager(manager) {}

void CContactChunk::Reset() {
    IBaseChunk::Reset();
    displayName.clear();
    groups.clear();
    groupNames.clear();
    firstName.clear();
    middleName.clear();
    lastName.clear();
    nickName.clear();
    note.clear();
    picture.clear();
    phones.clear();
    secondList.clear();
    organization.clear();
    department.clear();
    jobTitle.clear();
    birthday.clear();
    addresses.clear();
    urls.clear();
    UpdateTexts();
}

void CContactChunk::UpdateTexts() {
    QString name = QString::fromStdString(displayName);
    QString numbers;
    for (const Entry& phone : phones) {
        if (!numbers.isEmpty())
            numbers += QLatin1String("; ");
        numbers += QString::fromStdString(phone.second);
    }
    // A rank holds only as long as its text.
    if (name != nameText)
        nameRank = -1;
    if (numbers != numbersText)
        numbersRank = -1;
    nameText = std::move(name);
    numbersText = std::move(numbers);
    groupsText = QString::fromStdString(groups);
}

void CContactChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("Item", -1);
    writer->WriteString("id", GetId().c_str());
    writer->WriteString("Name", displayName.c_str());
    // Every field always, empty or not: a spreadsheet's columns stay aligned under the header.
    writer->WriteString("FirstName", firstName.c_str());
    writer->WriteString("MiddleName", middleName.c_str());
    writer->WriteString("LastName", lastName.c_str());
    writer->WriteString("NickName", nickName.c_str());
    writer->WriteString("Note", note.c_str());
    writer->WriteString("Organization", organization.c_str());
    writer->WriteString("Department", department.c_str());
    writer->WriteString("JobTitle", jobTitle.c_str());
    writer->WriteString("Birthday", birthday.c_str());
    for (const Entry& phone : phones) {
        writer->WriteString("Type", phone.first.c_str());
        writer->WriteString("PhoneNumber", phone.second.c_str());
    }
    for (const Entry& email : secondList) {
        writer->WriteString("EmailType", email.first.c_str());
        writer->WriteString("Email", email.second.c_str());
    }
    for (const Address& address : addresses) {
        writer->WriteString("AddressType", address.label.c_str());
        writer->WriteString("Street", address.street.c_str());
        writer->WriteString("City", address.city.c_str());
        writer->WriteString("Region", address.region.c_str());
        writer->WriteString("PostalCode", address.postalCode.c_str());
        writer->WriteString("Country", address.country.c_str());
    }
    for (const Entry& url : urls) {
        writer->WriteString("UrlType", url.first.c_str());
        writer->WriteString("Url", url.second.c_str());
    }
    // The picture as base64 JPEG, only when there is one: the vCard writer makes its PHOTO of it.
    if (!picture.empty())
        writer->WriteString(
            "Photo",
            QByteArray::fromRawData(picture.data(), qsizetype(picture.size())).toBase64().constData());
    writer->EndItem();
}

void CContactChunk::Deserialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->EnterItem("Item", 0);
    SetId(writer->ReadString("id"));
    displayName = writer->ReadString("Name");
    writer->LeaveItem();
    UpdateTexts();
}

bool CContactChunk::DeleteFromDevice() {
    IContactService* service = m_manager ? m_manager->GetContactService() : nullptr;
    if (!service || service->DeleteContact(GetId().c_str()) != 0) {
        qDebug() << "delete contact failed!";
        // The contact is still on the device, so its row stays and the view tells the user.
        return false;
    }
    return true;
}
