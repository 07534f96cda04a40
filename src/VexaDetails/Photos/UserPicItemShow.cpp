#include "UserPicItemShow.h"

#include <QCoreApplication>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QThread>
#include <QVBoxLayout>

#include <vexa/IVexaManager.h>
#include <vexa/VexaResult.h>

#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "QMessageDlg.h"
#include "QPhotoMonthPage.h"

UserPicItemShow::UserPicItemShow(IVexaManager* manager, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_title(new QLabel(this))
    , m_btnReturn(new QPushButton(this))
    , m_page(new QPhotoMonthPage(manager != nullptr ? manager->GetPhotos() : nullptr, this)) {
    setObjectName(QStringLiteral("UserPicItemShow"));
    m_title->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:14px;font-weight:700;"));
    m_title->setTextFormat(Qt::PlainText);
    m_btnReturn->setObjectName(QStringLiteral("m_btnReturn"));
    m_btnReturn->setStyleSheet(QStringLiteral(
        "QPushButton{color:white;background:rgb(99,165,181);border:none;border-radius:4px;padding:4px 14px;}"
        "QPushButton:hover{background:rgb(122,190,204);}"));
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(12, 6, 12, 0);
    bar->addWidget(m_btnReturn);
    bar->addSpacing(12);
    bar->addWidget(m_title, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_page, 1);
    connect(m_btnReturn, &QPushButton::clicked, this, [this] { emit emitReturn(m_type); });
    connect(this, &UserPicItemShow::emitPhotosRead, this, &UserPicItemShow::OnPhotosRead,
            Qt::QueuedConnection);
    Retranslate();
}

UserPicItemShow::~UserPicItemShow() {
    StopAndWait();
    // A read the worker posted just before it ended is still queued; the children's own waits
    // below keep events flowing after this part of the object is gone.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

void UserPicItemShow::Open(const QByteArray& albumId, const QString& name, IPhotoAlbumType type) {
    m_albumId = albumId;
    m_name = name;
    m_type = type;
    m_title->setText(name);
    Reload();
}

void UserPicItemShow::Reload() {
    if (IsHalted()) {
        return;
    }
    m_page->ShowLoading();
    Start();
}

void UserPicItemShow::RemoveFromAlbum(const std::vector<QByteArray>& photoIds) {
    {
        std::lock_guard lock(m_mutex);
        m_removals.insert(m_removals.end(), photoIds.begin(), photoIds.end());
    }
    Reload();
}

void UserPicItemShow::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("UserPicItemShow"));
    IAlbumLibrary* albums = m_manager != nullptr ? m_manager->GetAlbums() : nullptr;
    std::vector<QByteArray> removals;
    QByteArray albumId;
    {
        std::lock_guard lock(m_mutex);
        removals.swap(m_removals);
        albumId = m_albumId;
    }
    QStringList problems;
    if (albums != nullptr && !removals.empty()) {
        std::vector<const char*> ids;
        for (const QByteArray& id : removals) {
            ids.push_back(id.constData());
        }
        const int code = albums->RemovePhotosFromAlbum(albumId.constData(), ids.data(), int(ids.size()));
        if (code != VEXA_OK) {
            qDebug() << "UserPicItemShow::Run RemovePhotosFromAlbum" << code;
            problems << tr("The photos could not be taken out of the album.");
        }
    }
    PhotoRecord* records = nullptr;
    int count = 0;
    std::shared_ptr<CPhotoList> list;
    if (albums != nullptr && albums->GetAlbumPhotos(&records, &count, albumId.constData()) == VEXA_OK) {
        list = CPhotoList::Copy(records, count);
    } else {
        list = CPhotoList::Copy(nullptr, 0);
        // After a failed removal (an unplugged device) the user still learns that the photos stayed.
        problems << tr("The photos of this album could not be read from the device.");
    }
    auto groups = std::make_shared<CPhotoMonthGroups>(
        CPhotoMonthGroups::Build(*list, CPhotoMonthGroups::Videos::Shown));
    if (IsStopRequested()) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_readList = std::move(list);
        m_readGroups = std::move(groups);
        m_problem = problems.join(QLatin1Char('\n'));
    }
    emit emitPhotosRead();
}

void UserPicItemShow::OnPhotosRead() {
    std::shared_ptr<CPhotoList> list;
    std::shared_ptr<CPhotoMonthGroups> groups;
    QString problem;
    {
        std::lock_guard lock(m_mutex);
        list = std::move(m_readList);
        groups = std::move(m_readGroups);
        problem.swap(m_problem);
    }
    if (!list) {
        return;
    }
    m_page->SetPhotos(std::move(list), std::move(groups));
    if (!problem.isEmpty()) {
        ShowMessage(problem);
    }
}

void UserPicItemShow::Retranslate() {
    m_btnReturn->setText(tr("Return"));
    m_page->Retranslate();
}
