#include "UserPicWidget.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QMovie>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

#include <vexa/IVexaManager.h>
#include <vexa/VexaResult.h>

#include "ForeignImage.h"
#include "LanguageService.h"
#include "NewAlbumWidget.h"
#include "PicItemTotal.h"
#include "QMessageDlg.h"
#include "RetractLabel.h"

namespace {

QString CannotDelete() {
    return UserPicWidget::tr(
        "The following albums cannot be deleted: \n\n1.Camera Roll \n2.Photo Library \n3.Albums "
        "that comes with the device \n4.Albums created on the device\n");
}

QString CannotRename() {
    return UserPicWidget::tr(
        "The folowing albums cannot be renamed: \n\n1.Camera Roll \n2.Photo Library \n3.Albums "
        "that comes with the device \n4.Albums created on the device\n");
}
} // namespace

UserPicWidget::UserPicWidget(IVexaManager* manager, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_stack(new QStackedWidget(this))
    , m_loadingWidget(new QLabel(m_stack))
    , m_movie(new QMovie(ResourceRoot() + QStringLiteral("/image/details/refresh.gif"), QByteArray(), this))
    , m_scroll(new QScrollArea(m_stack))
    , m_grid(new QWidget)
    , m_gridLayout(new QGridLayout(m_grid)) {
    setObjectName(QStringLiteral("UserPicWidget"));
    m_loadingWidget->setObjectName(QStringLiteral("loadingWidget"));
    m_loadingWidget->setAlignment(Qt::AlignCenter);
    m_loadingWidget->setMovie(m_movie);
    m_gridLayout->setContentsMargins(16, 16, 16, 16);
    m_gridLayout->setSpacing(16);
    m_gridLayout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setWidget(m_grid);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    // The rows wrap at the page's width.
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stack->addWidget(m_scroll);
    m_stack->addWidget(m_loadingWidget);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    connect(this, &UserPicWidget::emitAlbumsRead, this, &UserPicWidget::OnAlbumsRead, Qt::QueuedConnection);
}

UserPicWidget::~UserPicWidget() {
    StopAndWait();
    // A read the worker posted just before it ended is still queued; the children's own waits
    // below keep events flowing after this part of the object is gone.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

void UserPicWidget::Reload() {
    if (IsHalted()) {
        return;
    }
    m_stack->setCurrentWidget(m_loadingWidget);
    m_movie->start();
    // A run that is under way still picks up what was queued; one more read follows it.
    if (!Start()) {
        qDebug() << "UserPicWidget::Reload can't start the worker";
    }
}

PicItemTotal* UserPicWidget::TileOf(const QString& name) const {
    for (PicItemTotal* tile : m_tiles) {
        if (tile->Album().name == name) {
            return tile;
        }
    }
    return nullptr;
}

void UserPicWidget::SetAllChecked(bool checked) {
    for (PicItemTotal* tile : std::as_const(m_tiles)) {
        tile->SetChecked(checked);
    }
}

bool UserPicWidget::CheckName(const QString& name) {
    if (name.trimmed().isEmpty()) {
        ShowMessage(tr("Please enter a name for the album."));
        return false;
    }
    if (RetractLabel::HasForbiddenCharacter(name)) {
        ShowMessage(tr("An album name can't contain any of the following characters:\n\\ / : * ? \" < > |"));
        return false;
    }
    if (name.size() > RetractLabel::kMaxNameLength) {
        ShowMessage(tr("The album name is too long."));
        return false;
    }
    return true;
}

void UserPicWidget::SetReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    for (PicItemTotal* tile : std::as_const(m_tiles)) {
        tile->SetNameEditable(!readOnly);
    }
}

void UserPicWidget::OnNewAlbum(QString name) {
    if (m_readOnly) {
        return;
    }
    name = name.trimmed();
    QPointer<UserPicWidget> self(this);
    if (!CheckName(name) || !self) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_pending.newAlbum = name;
    }
    Reload();
}

void UserPicWidget::OnReciveImportPhotoNum(QString, int count) {
    // Imported photos change the counts and maybe the covers.
    if (count > 0) {
        Reload();
    }
}

void UserPicWidget::OnDoubleClickedItem(char* id, IPhotoAlbumType type) {
    emit emitOnDoubleClickedItem(type, id);
}

void UserPicWidget::OnChangAlbumName(char* id, QString name) {
    const QByteArray albumId(id != nullptr ? id : "");
    PicItemTotal* tile = nullptr;
    for (PicItemTotal* candidate : std::as_const(m_tiles)) {
        if (candidate->Album().id == albumId) {
            tile = candidate;
        }
    }
    if (tile == nullptr || m_readOnly) {
        return;
    }
    if (tile->Album().type != ALBUM_USER) {
        ShowMessage(CannotRename());
        return;
    }
    QPointer<UserPicWidget> self(this);
    if (!CheckName(name) || !self) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_pending.renames.push_back({albumId, tile->Album().name, name.trimmed()});
    }
    Reload();
}

void UserPicWidget::OnBtnNewAlbum() {
    if (m_readOnly) {
        return;
    }
    QPointer<UserPicWidget> self(this);
    QString name;
    {
        // Not a child: a removal of the device during exec() deletes this page, never the dialog on the
        // stack.
        NewAlbumWidget dialog;
        connect(&dialog, &NewAlbumWidget::emitClickOk, this, [&name](const QString& typed) { name = typed; });
        dialog.exec();
    }
    if (self && !name.isEmpty()) {
        OnNewAlbum(name);
    }
}

void UserPicWidget::OnBtnDelete() {
    if (m_readOnly) {
        return;
    }
    std::vector<QByteArray> deletable;
    bool refused = false;
    for (PicItemTotal* tile : std::as_const(m_tiles)) {
        if (!tile->IsChecked()) {
            continue;
        }
        if (tile->Album().type == ALBUM_USER) {
            deletable.push_back(tile->Album().id);
        } else {
            refused = true;
        }
    }
    if (deletable.empty() && !refused) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    if (!deletable.empty()) {
        {
            std::lock_guard lock(m_mutex);
            m_pending.deletes.insert(m_pending.deletes.end(), deletable.begin(), deletable.end());
        }
        Reload();
    }
    if (refused) {
        ShowMessage(CannotDelete());
    }
}

void UserPicWidget::OnDeleteAlbum(QString name) {
    if (m_readOnly) {
        return;
    }
    // The tree's album menu names the album by its node text.
    PicItemTotal* tile = TileOf(name);
    if (tile == nullptr) {
        return;
    }
    SetAllChecked(false);
    tile->SetChecked(true);
    OnBtnDelete();
}

void UserPicWidget::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("UserPicWidget"));
    Pending pending;
    {
        std::lock_guard lock(m_mutex);
        std::swap(pending, m_pending);
    }
    Outcome outcome;
    RunPending(pending, outcome.problems);
    if (IsStopRequested()) {
        return;
    }
    outcome.readFailed = !ReadAlbums(outcome.albums);
    {
        std::lock_guard lock(m_mutex);
        m_outcome = std::move(outcome);
    }
    emit emitAlbumsRead();
}

void UserPicWidget::RunPending(Pending& pending, QStringList& problems) {
    IAlbumLibrary* albums = m_manager != nullptr ? m_manager->GetAlbums() : nullptr;
    if (albums == nullptr) {
        return;
    }
    if (pending.newAlbum) {
        AlbumRecord* created = nullptr;
        const QString& name = *pending.newAlbum;
        int code = albums->CreateAlbum(reinterpret_cast<const char16_t*>(name.utf16()), &created);
        if (code == VEXA_OK && created != nullptr) {
            code = albums->PublishAlbum(created->id, created->name, created->type);
            albums->ReleaseAlbum(created);
        }
        if (code != VEXA_OK) {
            qDebug() << "UserPicWidget::Run CreateAlbum" << code;
            problems << tr("The album %1 could not be created.").arg(name);
        }
    }
    for (const auto& rename : pending.renames) {
        // The album may have gone since it was listed (deleted on the device, or by another program).
        int type = 0;
        int code = albums->QueryAlbum(rename.id.constData(), &type);
        if (code == VEXA_E_NOT_FOUND) {
            problems << tr("The album %1 no longer exists on the device.").arg(rename.oldName);
            continue;
        }
        if (code == VEXA_OK) {
            code = albums->RenameAlbum(rename.id.constData(),
                                       reinterpret_cast<const char16_t*>(rename.newName.utf16()));
        }
        if (code != VEXA_OK) {
            qDebug() << "UserPicWidget::Run RenameAlbum" << code;
            problems << tr("The album could not be renamed to %1.").arg(rename.newName);
        }
    }
    for (const QByteArray& id : pending.deletes) {
        int type = 0;
        int code = albums->QueryAlbum(id.constData(), &type);
        if (code == VEXA_OK) {
            code = albums->DeleteAlbum(id.constData());
        }
        // An album that is already gone is what the user wanted.
        if (code != VEXA_OK && code != VEXA_E_NOT_FOUND) {
            qDebug() << "UserPicWidget::Run DeleteAlbum" << code;
            problems << tr("An album could not be deleted.");
        }
    }
}

bool UserPicWidget::ReadAlbums(std::vector<CAlbumInfo>& out) {
    IAlbumLibrary* albums = m_manager != nullptr ? m_manager->GetAlbums() : nullptr;
    AlbumRecord* records = nullptr;
    int count = 0;
    if (albums == nullptr || albums->PrepareList() != VEXA_OK ||
        albums->GetAlbumList(&records, &count) != VEXA_OK) {
        return false;
    }
    for (int i = 0; i < count && !IsStopRequested(); ++i) {
        if (albums->LoadAlbumCover(records[i].coverHandle) != VEXA_OK) {
            qDebug() << "UserPicWidget::ReadAlbums no cover for" << records[i].name;
        }
    }
    for (int i = 0; i < count; ++i) {
        const AlbumRecord& record = records[i];
        CAlbumInfo album;
        album.id = QByteArray(record.id != nullptr ? record.id : "");
        album.name = QString::fromUtf8(record.name != nullptr ? record.name : "");
        album.photoCount = record.photoCount;
        album.type = record.type;
        if (record.cover != nullptr && record.coverLength > 0) {
            album.cover = ForeignImage::Decode(
                QByteArray::fromRawData(reinterpret_cast<const char*>(record.cover), record.coverLength),
                ForeignImage::kLargestPictureSide, ForeignImage::kLargestPictureSide);
        }
        out.push_back(std::move(album));
    }
    return true;
}

void UserPicWidget::OnAlbumsRead() {
    Outcome outcome;
    {
        std::lock_guard lock(m_mutex);
        std::swap(outcome, m_outcome);
    }
    m_movie->stop();
    m_stack->setCurrentWidget(m_scroll);
    m_loaded = true;
    m_readFailed = outcome.readFailed;
    if (outcome.readFailed) {
        outcome.problems << tr("The albums could not be read from the device.");
    } else {
        Rebuild(outcome.albums);
    }
    if (!outcome.problems.isEmpty()) {
        ShowMessage(outcome.problems.join(QLatin1Char('\n')));
    }
}

void UserPicWidget::Rebuild(const std::vector<CAlbumInfo>& albums) {
    for (PicItemTotal* tile : std::as_const(m_tiles)) {
        m_gridLayout->removeWidget(tile);
        tile->hide();
        tile->deleteLater();
    }
    m_tiles.clear();
    for (const CAlbumInfo& album : albums) {
        auto* tile = new PicItemTotal(album, m_grid);
        tile->SetNameEditable(!m_readOnly);
        connect(tile, &PicItemTotal::emitDoubleClicked, this, &UserPicWidget::OnDoubleClickedItem);
        connect(tile, &PicItemTotal::emitChangeName, this, &UserPicWidget::OnChangAlbumName);
        m_tiles.append(tile);
    }
    PlaceTiles();
}

int UserPicWidget::Columns() const {
    if (m_tiles.isEmpty())
        return 1;
    // Room for the vertical scroll bar is kept, so that its coming does not push a tile out.
    const int width = m_scroll->width() - m_scroll->verticalScrollBar()->sizeHint().width();
    const QMargins margins = m_gridLayout->contentsMargins();
    const int spacing = m_gridLayout->horizontalSpacing();
    return qMax(1,
                (width - margins.left() - margins.right() + spacing) / (m_tiles.first()->width() + spacing));
}

void UserPicWidget::PlaceTiles() {
    m_columns = Columns();
    for (PicItemTotal* tile : std::as_const(m_tiles))
        m_gridLayout->removeWidget(tile);
    for (int i = 0; i < m_tiles.size(); ++i)
        m_gridLayout->addWidget(m_tiles[i], i / m_columns, i % m_columns);
}

void UserPicWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (Columns() != m_columns)
        PlaceTiles();
}

void UserPicWidget::Retranslate() {
    for (PicItemTotal* tile : std::as_const(m_tiles)) {
        tile->Retranslate();
    }
}
