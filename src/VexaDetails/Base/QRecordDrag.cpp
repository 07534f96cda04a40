#include "QRecordDrag.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include "CDropFileList.h"
#include "CPhotoSerialImpl.h"
#include "CPhotoSerialThread.h"
#include "IBaseChunk.h"
#include "QDropFileMimeData.h"
#include "QMessageDlg.h"

namespace {
// A failure message names this many records at most.
constexpr int kNamedFailures = 10;

// Every message of a drag waits until the drop's own event is over: a modal dialog must not run
// inside the window system's request for the data. It does not depend on the page, which the device's
// removal during the copy may take away first.
void ShowLater(const QString& message) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [message] { ShowMessage(message, QString(), MSG_WARNING); });
}
} // namespace

QRecordDrag::QRecordDrag(std::unique_ptr<IPhotoSerialAction> action, QString folder, QString failureText)
    : m_action(std::move(action))
    , m_folder(std::move(folder))
    , m_failureText(std::move(failureText)) {}

QRecordDrag::~QRecordDrag() = default;

QDropFileMimeData* QRecordDrag::Prepare(QWidget* page, IVexaManager* manager, int kind,
                                        const std::vector<IBaseChunk*>& records, const QString& failureText,
                                        const QString& parentFolder) {
    std::unique_ptr<IPhotoSerialAction> action = CPhotoSerialThread::CreateAction(kind, manager);
    if (page == nullptr || action == nullptr || records.empty()) {
        return nullptr;
    }
    // The records write their export fields now: the page may reload them before the drop.
    CPhotoSerialImpl collector(nullptr, kind, nullptr);
    for (IBaseChunk* record : records) {
        record->Serialize(&collector);
    }
    const CDropFileList list(parentFolder);
    if (!list.IsValid()) {
        ShowLater(tr("The temporary folder for the drag could not be created."));
        return nullptr;
    }
    std::unique_ptr<QRecordDrag> drag(new QRecordDrag(std::move(action), list.Folder(), failureText));
    const std::string folder = list.Folder().toStdString();
    QStringList paths;
    for (const PhotoSerialEntry& entry : collector.Entries()) {
        std::string localPath = drag->m_action->LocalPath(folder.c_str(), entry);
        if (localPath.empty()) {
            continue;
        }
        paths.append(QString::fromStdString(localPath));
        drag->m_items.push_back(
            {entry, std::move(localPath), QString::fromStdString(EntryText(entry, "Title"))});
    }
    if (paths.isEmpty()) {
        QDir().rmdir(list.Folder());
        return nullptr;
    }
    // The page owns nothing of the drag: its data does, and gives the copy only while the page lives.
    auto* data = new QDropFileMimeData(paths, drag.get(), page);
    drag.release()->setParent(data);
    return data;
}

bool QRecordDrag::OnDrop() {
    QStringList failed;
    const std::string folder = m_folder.toStdString();
    for (const Item& item : m_items) {
        const IPhotoSerialAction::Result result = m_action->Execute(folder.c_str(), &item.entry);
        if (result != IPhotoSerialAction::Copied ||
            !QFileInfo::exists(QString::fromStdString(item.localPath))) {
            qDebug() << "QRecordDrag::OnDrop could not copy" << item.title;
            failed.append(item.title);
        }
    }
    if (!failed.isEmpty()) {
        QStringList named = failed.mid(0, kNamedFailures);
        if (failed.size() > kNamedFailures) {
            named.append(QStringLiteral("..."));
        }
        ShowLater(m_failureText + QLatin1Char('\n') + named.join(QLatin1Char('\n')));
    }
    return failed.isEmpty();
}
