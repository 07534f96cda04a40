#pragma once

#include <functional>
#include <span>

#include <QCryptographicHash>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <vexa/vexa.h>

// What the pages show of a device, one line a record in the order the services list them: to compare a
// phone with a backup of it.
struct ContentPrint {
    QStringList contacts, conversations, calls, attachments;
    QStringList files; // left to the caller: the files of a folder it compares
    bool operator==(const ContentPrint&) const = default;
};

inline QString PrintText(const char* text) {
    return text ? QString::fromUtf8(text) : QStringLiteral("-");
}

// Each conversation and each of its messages, and each attachment as listed with a digest of the file
// that `fileOf` gives for it ("missing" when it gives none that can be read).
inline void PrintConversations(const ConversationList& list,
                               const std::function<QString(const MessageAttachmentRecord&)>& fileOf,
                               ContentPrint& print) {
    for (const ConversationRecord& chat : std::span(list.conversations, size_t(list.count))) {
        print.conversations << PrintText(chat.address) + "|" + PrintText(chat.name) + "|" +
                                   QString::number(chat.messageCount);
        for (const MessageRecord& message : std::span(chat.messages, size_t(chat.messageCount))) {
            print.conversations
                << QStringLiteral("  %1|%2|").arg(PrintText(message.dateTime)).arg(message.direction) +
                       PrintText(message.text);
            for (const auto& file : std::span(message.attachments, size_t(message.attachmentCount))) {
                QFile bytes(fileOf(file));
                print.attachments << QStringList{PrintText(file.fileName),
                                                 PrintText(file.mimeType),
                                                 PrintText(file.uti),
                                                 QString::number(file.size),
                                                 PrintText(file.path),
                                                 bytes.open(QIODevice::ReadOnly)
                                                     ? QCryptographicHash::hash(bytes.readAll(),
                                                                                QCryptographicHash::Sha1)
                                                           .toHex()
                                                     : QByteArray("missing")}
                                         .join('|');
            }
        }
    }
}

// The contacts, conversations and calls a manager's services list, attachments copied out through its
// device service.
inline ContentPrint PrintOf(IVexaManager* manager) {
    ContentPrint print;
    ContactList* contacts = nullptr;
    if (manager->GetContactService()->GetContacts(&contacts) == VEXA_OK && contacts) {
        for (const ContactRecord& record : std::span(contacts->records, size_t(contacts->recordCount))) {
            QString line = PrintText(record.firstName) + "|" + PrintText(record.lastName);
            for (const ContactEntry& phone : std::span(record.phones, size_t(record.phoneCount)))
                line += "|" + PrintText(phone.value);
            print.contacts << line;
        }
    }
    QTemporaryDir copies;
    ConversationList* conversations = nullptr;
    if (manager->GetDeviceService()->GetMessages(&conversations, 0) == VEXA_OK && conversations)
        PrintConversations(
            *conversations,
            [&](const MessageAttachmentRecord& file) {
                const QString copy = copies.filePath(QString::number(print.attachments.size()));
                return manager->GetDeviceService()->CopyMessageAttachment(
                           file.path, reinterpret_cast<const char16_t*>(copy.utf16())) == VEXA_OK
                           ? copy
                           : QString();
            },
            print);
    CallHistoryList* calls = nullptr;
    if (manager->GetDeviceService()->GetCallHistory(&calls) == VEXA_OK && calls) {
        for (const CallHistoryRecord& call : std::span(calls->calls, size_t(calls->count)))
            print.calls << QStringLiteral("%1|%2|%3|%4|%5%6")
                               .arg(PrintText(call.address), PrintText(call.name))
                               .arg(call.date)
                               .arg(call.duration)
                               .arg(call.outgoing)
                               .arg(call.answered);
    }
    return print;
}
