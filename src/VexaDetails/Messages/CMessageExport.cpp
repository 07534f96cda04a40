#include "CMessageExport.h"

#include <set>

#include <QDir>
#include <QFileInfo>

#include <vexa/VexaResult.h>
#include <vexa/VexaServices.h>

#include "CCheckedRecords.h"
#include "CExportPath.h"
#include "CMessageChunk.h"
#include "CMessagePages.h"

namespace {

// A name the attachment can have in the export's folder: no separators, none starting with a dot, never
// empty, and not one an earlier attachment of the same export took ("IMG_0001 (2).JPG").
QString FreeName(const CMessageChunk::Attachment& attachment, std::set<QString>& taken) {
    QString name = QString::fromStdString(attachment.name);
    if (name.isEmpty())
        name = QFileInfo(QString::fromStdString(attachment.path)).fileName();
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("attachment");
    const QFileInfo parts(name);
    const QString base = parts.completeBaseName();
    const QString suffix = parts.suffix().isEmpty() ? QString() : QLatin1Char('.') + parts.suffix();
    QString candidate = name;
    for (int n = 2; !taken.insert(candidate.toLower()).second; ++n)
        candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
    return candidate;
}

std::list<CMessageChunk*> CheckedConversations(const std::list<IBaseChunk*>& records) {
    std::list<CMessageChunk*> checked;
    for (IBaseChunk* record : records)
        if (record && record->IsChecked())
            if (auto* conversation = dynamic_cast<CMessageChunk*>(record))
                checked.push_back(conversation);
    return checked;
}

// Puts the export paths back as they were, whatever way the export ends.
struct ForgetExportPaths {
    const std::list<CMessageChunk*>& conversations;
    ~ForgetExportPaths() {
        for (CMessageChunk* conversation : conversations)
            for (CMessageChunk::Entry& entry : conversation->messages)
                for (CMessageChunk::Attachment& attachment : entry.attachments)
                    attachment.exportPath.clear();
    }
};

} // namespace

QString CMessageExport::AttachmentFolder(const QString& exportPath) {
    return QFileInfo(exportPath).completeBaseName() + QStringLiteral(" attachments");
}

QString CMessageExport::PageFolder(const QString& exportPath) {
    return QFileInfo(exportPath).completeBaseName() + QStringLiteral(" pages");
}

CMessageExport::CopyFile CMessageExport::ThroughService(IDeviceService* service) {
    if (!service)
        return {};
    return [service](const std::string& devicePath, const QString& localPath) {
        return service->CopyMessageAttachment(devicePath.c_str(),
                                              reinterpret_cast<const char16_t*>(localPath.utf16()));
    };
}

CMessageExport::Outcome CMessageExport::Export(const std::list<IBaseChunk*>& records, const QString& path,
                                               const CopyFile& copy, const QString& namedAs) {
    Outcome outcome;
    const QString named = namedAs.isEmpty() ? path : namedAs;
    const std::string extension = CExportPath::Extension(path.toStdString());
    const bool pages = extension == ".html" || extension == ".htm";
    const std::list<CMessageChunk*> conversations = CheckedConversations(records);
    const ForgetExportPaths forget{conversations};

    const QDir beside = QFileInfo(named).absoluteDir();
    const QString folderName = AttachmentFolder(named);
    std::set<QString> taken;
    bool folderMade = false;
    for (CMessageChunk* conversation : conversations) {
        for (CMessageChunk::Entry& entry : conversation->messages) {
            for (CMessageChunk::Attachment& attachment : entry.attachments) {
                if (!copy || attachment.path.empty()) {
                    ++outcome.missed;
                    continue;
                }
                if (!folderMade && !(folderMade = beside.mkpath(folderName)))
                    return outcome;
                const QString name = FreeName(attachment, taken);
                if (copy(attachment.path, beside.filePath(folderName + QLatin1Char('/') + name)) != VEXA_OK) {
                    ++outcome.missed;
                    continue;
                }
                attachment.exportPath = (folderName + QLatin1Char('/') + name).toStdString();
                ++outcome.copied;
            }
        }
    }

    if (pages) {
        outcome.result = CMessagePages::Write(conversations, path, named)
                             ? CRecordFileExport::Result::Written
                             : CRecordFileExport::Result::WriteFailed;
        return outcome;
    }
    CCheckedRecords source(records, "Messages");
    outcome.result = CRecordFileExport::ExportFile(source, path.toStdString());
    return outcome;
}
