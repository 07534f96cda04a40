#include "CBackupSource.h"

#include <QDir>
#include <QFileInfo>

#include <vexa/BackupContent.h>
#include <vexa/VexaResult.h>

#include "CCallChunk.h"
#include "CCliOutput.h"
#include "CContactRecords.h"
#include "CMessageRecords.h"
#include "CPasswordSource.h"
#include "CliExit.h"
#include "IBaseChunk.h"
#include "ResultReason.h"

namespace {
const QString kManifest = QStringLiteral("Manifest.db");
}

CBackupSource::CBackupSource() = default;

CBackupSource::~CBackupSource() = default;

QStringList CBackupSource::BackupsIn(const QString& folder) {
    QStringList backups;
    const QDir dir(folder);
    for (const QString& child : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
        if (QFileInfo(dir.filePath(child + QLatin1Char('/') + kManifest)).isFile())
            backups.append(dir.filePath(child));
    return backups;
}

int CBackupSource::Open(const QString& chosen, const QString& passwordFile) {
    const QString absolute = QFileInfo(chosen).absoluteFilePath();
    m_folder = absolute;
    if (!QFileInfo(QDir(absolute).filePath(kManifest)).isFile()) {
        const QStringList backups = BackupsIn(absolute);
        if (backups.size() > 1)
            return CCliOutput::Fail(kExitUsage, tr("%1 holds %n backups; name the folder of one: %2", nullptr,
                                                   int(backups.size()))
                                                    .arg(chosen, backups.join(QStringLiteral(", "))));
        if (backups.isEmpty())
            return CCliOutput::Fail(kExitFailed, tr("%1 holds no backup (no Manifest.db)").arg(chosen));
        m_folder = backups.front();
    }
    m_content = std::make_unique<BackupContent>();
    if (m_content->Open(m_folder.toUtf8().constData()) != VEXA_OK)
        return CCliOutput::Fail(kExitFailed, tr("%1 holds no readable backup").arg(m_folder));
    if (!m_content->Encrypted())
        return kExitOk;
    QString password;
    if (int exit = CPasswordSource::Require(passwordFile, &password); exit != kExitOk)
        return exit;
    const int unlocked = m_content->Unlock(password.toUtf8().constData());
    if (unlocked == VEXA_E_PASSWORD)
        return CCliOutput::Fail(kExitPassword, tr("the backup's password is wrong"));
    if (unlocked != VEXA_OK)
        return CCliOutput::Fail(ExitForResult(unlocked),
                                WithReason(tr("%1 could not be opened").arg(m_folder), unlocked));
    return kExitOk;
}

int CBackupSource::LoadRecords(const QString& category, std::list<IBaseChunk*>* records) {
    int result = VEXA_E_NOT_A_BACKUP;
    if (m_content && category == QLatin1String("contacts")) {
        ContactList* list = nullptr;
        result = m_content->GetContacts(&list);
        if (result == VEXA_OK && list)
            *records = ContactRecords::BuildChunks(*list, nullptr, nullptr);
    } else if (m_content && category == QLatin1String("messages")) {
        ConversationList* list = nullptr;
        result = m_content->GetMessages(&list);
        if (result == VEXA_OK && list)
            *records = MessageRecords::BuildChunks(*list);
    } else if (m_content && category == QLatin1String("calls")) {
        CallHistoryList* list = nullptr;
        result = m_content->GetCallHistory(&list);
        if (result == VEXA_OK && list)
            *records = CCallChunk::BuildChunks(*list);
    }
    if (result != VEXA_OK)
        return CCliOutput::Fail(
            ExitForResult(result),
            WithReason(tr("the %1 could not be read from the backup").arg(category), result));
    for (IBaseChunk* record : *records)
        record->SetChecked(true);
    return kExitOk;
}
