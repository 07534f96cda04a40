#include "QPhotoView.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

#include <vexa/COwnManager.h>
#include <vexa/vexa.h>

#include "CDroppedFiles.h"
#include "CPhotoExportFiles.h"
#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "CPhotoSerialDlg.h"
#include "CPhotoSerialThread.h"
#include "CUrlDrop.h"
#include "IBaseSerial.h"
#include "LanguageService.h"
#include "NotSupportedMessage.h"
#include "PhotoExportDialog.h"
#include "PhotoImageShow.h"
#include "PicItemTotal.h"
#include "QBarButton.h"
#include "QCompactBar.h"
#include "QFileFolderExport.h"
#include "QMessageDlg.h"
#include "QOperatePanel.h"
#include "QPhotoDeleteAction.h"
#include "QPhotoGridView.h"
#include "QPhotoMonthPage.h"
#include "QProgressDlg.h"
#include "ReadOnlyNotice.h"
#include "UserPicItemShow.h"
#include "UserPicWidget.h"

namespace {

const char* const kBarStyle =
    "QPushButton{color:white;background:rgb(99,165,181);border:none;border-radius:4px;padding:5px 12px;}"
    "QPushButton:hover{background:rgb(122,190,204);}"
    "QPushButton:disabled{background:rgb(190,215,222);}"
    "QPushButton#m_tabPhotos,QPushButton#m_tabAlbums{color:rgb(66,127,142);background:rgb(235,246,249);"
    "border-radius:0px;padding:6px 18px;font-weight:700;}"
    "QPushButton#m_tabPhotos:checked,QPushButton#m_tabAlbums:checked{color:white;background:rgb(66,127,142);"
    "}";

} // namespace

QPhotoView::QPhotoView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent) {
    setObjectName(QStringLiteral("PhotoView"));
    SetCategoryName("Photos");
    OperatePanel()->hide();
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("m_photoContent"));
    m_pages = new QStackedWidget(content);
    m_photoPage = new QPhotoMonthPage(manager != nullptr ? manager->GetPhotos() : nullptr, m_pages);
    m_albumPage = new UserPicWidget(manager, m_pages);
    m_albumShow = new UserPicItemShow(manager, m_pages);
    m_pages->addWidget(m_photoPage);
    m_pages->addWidget(m_albumPage);
    m_pages->addWidget(m_albumShow);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateBar());
    m_notice = new ReadOnlyNotice(ReadOnlyNotice::Photos, content);
    layout->addWidget(m_notice);
    m_unreadable = new QLabel(content);
    m_unreadable->setObjectName(QStringLiteral("m_unreadable"));
    m_unreadable->setContentsMargins(8, 4, 8, 4);
    m_unreadable->hide();
    layout->addWidget(m_unreadable);
    layout->addWidget(m_pages, 1);
    ContentLayout()->addWidget(content, 1);

    IPhotoLibrary* photos = manager != nullptr ? manager->GetPhotos() : nullptr;
    ApplyWriteAccess(photos != nullptr ? photos->GetWriteAccess() : kContentWritable);
    connect(this, &QPhotoView::UpdateCameraView, this, &QPhotoView::OnUpDatePhotoView, Qt::QueuedConnection);
    connect(this, &QPhotoView::emitAnalysisBegin, this, &QPhotoView::OnAnalysisBegin, Qt::QueuedConnection);
    connect(m_photoPage, &QPhotoMonthPage::emitDoubleClicked, this, &QPhotoView::OnOpenPhoto);
    connect(m_albumShow->Page(), &QPhotoMonthPage::emitDoubleClicked, this, &QPhotoView::OnOpenPhoto);
    for (QPhotoMonthPage* page : {m_photoPage, m_albumShow->Page()}) {
        connect(page->Grid(), &QPhotoGridView::emitUnreadableCount, this, &QPhotoView::OnUnreadableCount);
    }
    connect(m_albumPage, &UserPicWidget::emitOnDoubleClickedItem, this, &QPhotoView::OnEnterAlbumView);
    connect(m_albumShow, &UserPicItemShow::emitReturn, this, &QPhotoView::OnReturnAlbumView);
    OnLanguageChanged();
    ShowPage(PhotosPage);
}

QPhotoView::~QPhotoView() {
    StopAndWait();
    // A read the worker posted just before it ended is still queued; the children's own waits
    // below keep events flowing after this part of the object is gone, so nothing of theirs (a
    // thumbnail thread's late count) may reach it any more either.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

QPushButton* QPhotoView::MakeButton(const char* objectName, const char* icon) {
    QPushButton* button = icon == nullptr ? new QPushButton : new QBarButton;
    button->setObjectName(QString::fromLatin1(objectName));
    if (icon != nullptr) {
        button->setIcon(QIcon(ResourceRoot() + QLatin1String(icon)));
    }
    button->setCursor(Qt::PointingHandCursor);
    m_buttons.push_back(button);
    return button;
}

QPushButton* QPhotoView::Button(const char* objectName) const {
    for (QPushButton* button : m_buttons) {
        if (button->objectName() == QLatin1String(objectName)) {
            return button;
        }
    }
    return nullptr;
}

QWidget* QPhotoView::CreateBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("m_photoBar"));
    bar->setStyleSheet(QString::fromLatin1(kBarStyle));
    m_tabPhotos = MakeButton("m_tabPhotos");
    m_tabAlbums = MakeButton("m_tabAlbums");
    m_tabs = new QButtonGroup(this);
    for (QPushButton* tab : {m_tabPhotos, m_tabAlbums}) {
        tab->setCheckable(true);
        m_tabs->addButton(tab, tab == m_tabPhotos ? PhotosPage : AlbumsPage);
    }
    m_tabPhotos->setChecked(true);
    connect(m_tabs, &QButtonGroup::idClicked, this, &QPhotoView::OnComboBoxChanged);

    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(6);
    layout->addWidget(m_tabPhotos);
    layout->addWidget(m_tabAlbums);
    layout->addStretch(1);
    const struct {
        const char* name;
        const char* icon;
        void (QPhotoView::*slot)();
    } actions[] = {
        {"m_btnNewAlbum", "/image/details/bar_new_album.png", nullptr},
        {"m_btnImport", "/image/details/bar_import.png", &QPhotoView::OnBtnImport},
        {"m_btnExport", "/image/details/bar_export.png", &QPhotoView::OnBtnExport},
        {"m_btnDelete", "/image/details/bar_delete.png", &QPhotoView::OnBtnDelete},
        {"m_btnRefresh", "/image/details/bar_refresh.png", &QPhotoView::OnBtnRefresh},
        {"m_btnCheckAll", "/image/details/bar_check_all.png", &QPhotoView::OnBtnCheckAll},
        {"m_btnUncheckAll", "/image/details/bar_uncheck_all.png", &QPhotoView::OnBtnUnCheckAll},
    };
    for (const auto& [name, icon, slot] : actions) {
        QPushButton* button = MakeButton(name, icon);
        layout->addWidget(button);
        if (slot != nullptr) {
            connect(button, &QPushButton::clicked, this, slot);
        }
    }
    connect(Button("m_btnNewAlbum"), &QPushButton::clicked, m_albumPage, &UserPicWidget::OnBtnNewAlbum);
    // Seven buttons in German do not fit a window of the default size: they drop to their icons.
    QCompactBar::Install(bar);
    return bar;
}

void QPhotoView::OnLanguageChanged() {
    QBaseDetailsView::OnLanguageChanged();
    if (m_tabPhotos == nullptr) {
        return;
    }
    m_tabPhotos->setText(tr("Photos"));
    m_tabAlbums->setText(tr("Albums"));
    Button("m_btnNewAlbum")->setText(tr("New album"));
    Button("m_btnImport")->setText(tr("Import"));
    Button("m_btnExport")->setText(tr("Export"));
    Button("m_btnDelete")->setText(tr("Delete"));
    Button("m_btnRefresh")->setText(tr("Refresh"));
    Button("m_btnCheckAll")->setText(tr("CheckAll"));
    Button("m_btnUncheckAll")->setText(tr("UncheckAll"));
    ShowUnreadable();
    m_photoPage->Retranslate();
    m_albumPage->Retranslate();
    m_albumShow->Retranslate();
}

void QPhotoView::ApplyWriteAccess(int access) {
    m_writable = access == kContentWritable;
    m_notice->SetAccess(access);
    for (const char* name : {"m_btnImport", "m_btnDelete"}) {
        Button(name)->setVisible(m_writable);
    }
    Button("m_btnNewAlbum")->setVisible(m_writable && m_page == AlbumsPage);
    m_albumPage->SetReadOnly(!m_writable);
    setAcceptDrops(m_writable);
}

void QPhotoView::ShowUnreadable() {
    if (m_unreadable == nullptr) {
        return;
    }
    m_unreadable->setText(tr("%n photo(s) could not be read from the device.", "", m_unreadableCount));
    m_unreadable->setVisible(m_unreadableCount > 0);
}

void QPhotoView::OnUnreadableCount(int count) {
    // Damaged files come to light as their thumbnails are made, long after the list was read.
    m_unreadableCount = count;
    ShowUnreadable();
}

void QPhotoView::ShowPage(Page page) {
    m_page = page;
    m_pages->setCurrentIndex(page);
    Button("m_btnNewAlbum")->setVisible(m_writable && page == AlbumsPage);
    m_tabs->button(page == PhotosPage ? PhotosPage : AlbumsPage)->setChecked(true);
}

QPhotoGridView* QPhotoView::CurrentGrid() const {
    switch (m_page) {
    case PhotosPage:
        return m_photoPage->Grid();
    case AlbumShowPage:
        return m_albumShow->Page()->Grid();
    case AlbumsPage:
        break;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Loading the photo page

void QPhotoView::OnAnalysisBegin() {
    m_photoPage->ShowLoading();
}

void QPhotoView::Run() {
    QThread::currentThread()->setObjectName(QStringLiteral("QPhotoView"));
    emit emitAnalysisBegin();
    IPhotoLibrary* photos = Manager() != nullptr ? Manager()->GetPhotos() : nullptr;
    PhotoRecord* records = nullptr;
    int count = 0;
    std::shared_ptr<CPhotoList> list;
    // A list that can't be read leaves the page empty, and the user is told.
    const int prepared = photos != nullptr ? photos->PrepareList() : -1;
    const bool read = prepared == 0 && photos->GetPhotoList(&records, &count) == 0;
    if (IsNotSupportedYet(prepared))
        ShowUnavailableLater();
    const int unreadable = read ? photos->GetUnreadableCount() : 0;
    if (read) {
        list = CPhotoList::Copy(records, count);
    } else {
        qDebug() << "QPhotoView::Run can't read the photo list";
        list = CPhotoList::Copy(nullptr, 0);
    }
    auto groups = std::make_shared<CPhotoMonthGroups>(CPhotoMonthGroups::Build(*list));
    if (IsStopRequested()) {
        return;
    }
    {
        std::lock_guard lock(m_readMutex);
        m_readList = std::move(list);
        m_readGroups = std::move(groups);
        m_readFailed = !read && !IsNotSupportedYet(prepared); // that case has its own message
        m_readUnreadable = unreadable;
    }
    emit UpdateCameraView();
}

void QPhotoView::OnUpDatePhotoView() {
    std::shared_ptr<CPhotoList> list;
    std::shared_ptr<CPhotoMonthGroups> groups;
    bool failed = false;
    {
        std::lock_guard lock(m_readMutex);
        list = std::move(m_readList);
        groups = std::move(m_readGroups);
        failed = m_readFailed;
        m_unreadableCount = m_readUnreadable;
    }
    if (!list) {
        return;
    }
    m_shownReadFailed = failed;
    ShowUnreadable();
    const int count = groups->PhotoCount();
    m_photoPage->SetPhotos(std::move(list), std::move(groups));
    ShowLoadResult(count);
    emit emitAnalysisEnd();
    if (failed) {
        ShowMessage(tr("The photos could not be read from the device."));
    }
}

void QPhotoView::EmitRefresh() {
    emit emitRefreshPhotosNode(DeviceHandle());
}

// ---------------------------------------------------------------------------------------------------
// Pages

void QPhotoView::OnComboBoxChanged(int index) {
    if (index == AlbumsPage) {
        ShowPage(AlbumsPage);
        if (!m_albumPage->HasLoaded() && !m_albumPage->IsRunning()) {
            m_albumPage->Reload();
        }
        return;
    }
    ShowPage(PhotosPage);
    if (!HasLoaded() && !IsRunning()) {
        Start();
    }
}

void QPhotoView::OnDateComboBoxChanged(QString key) {
    if (m_page == AlbumShowPage) {
        m_albumShow->Page()->OnDateComboBoxChanged(key);
    } else {
        m_photoPage->OnDateComboBoxChanged(key);
    }
}

void QPhotoView::OnScrollBarChanged(int value) {
    if (QPhotoGridView* grid = CurrentGrid()) {
        grid->OnScrollBarChanged(value);
    }
}

void QPhotoView::OnRedrawItem(QString key, indexPhoto* item) {
    if (QPhotoGridView* grid = CurrentGrid()) {
        grid->OnRedrawItem(key, item);
    }
}

void QPhotoView::OnEnterAlbumView(IPhotoAlbumType type, char* id) {
    const QByteArray albumId(id != nullptr ? id : "");
    QString name;
    for (PicItemTotal* tile : m_albumPage->Tiles()) {
        if (tile->Album().id == albumId) {
            name = tile->ShownText();
        }
    }
    m_albumShow->Open(albumId, name, type);
    ShowPage(AlbumShowPage);
}

void QPhotoView::OnReturnAlbumView(IPhotoAlbumType) {
    ShowPage(AlbumsPage);
    // Photos imported into the album or taken out of it change its count and maybe its cover.
    const CPhotoList* shown = m_albumShow->Page()->Grid()->List();
    for (PicItemTotal* tile : m_albumPage->Tiles()) {
        if (tile->Album().id == m_albumShow->AlbumId() && shown != nullptr &&
            tile->Album().photoCount != shown->Count()) {
            m_albumPage->Reload();
            return;
        }
    }
}

void QPhotoView::OnNewAlbum(QString name) {
    if (m_writable) {
        m_albumPage->OnNewAlbum(name);
    }
}

void QPhotoView::OnDeleteAlbum(QString name) {
    if (m_writable) {
        m_albumPage->OnDeleteAlbum(name);
    }
}

void QPhotoView::OnOpenPhoto(int index) {
    QPhotoGridView* grid = qobject_cast<QPhotoGridView*>(
        sender() == m_photoPage ? m_photoPage->Grid() : m_albumShow->Page()->Grid());
    if (grid == nullptr || grid->List() == nullptr || index < 0 || index >= grid->List()->Count()) {
        return;
    }
    const PhotoRecord* record = grid->List()->Record(index);
    auto* show = new PhotoImageShow(Manager(), QString::fromUtf8(record->path),
                                    QString::fromUtf8(record->fileName), this);
    show->setAttribute(Qt::WA_DeleteOnClose);
    show->show();
}

// ---------------------------------------------------------------------------------------------------
// Buttons

void QPhotoView::OnBtnRefresh() {
    switch (m_page) {
    case PhotosPage:
        Start();
        break;
    case AlbumsPage:
        m_albumPage->Reload();
        break;
    case AlbumShowPage:
        m_albumShow->Reload();
        break;
    }
}

void QPhotoView::OnBtnCheckAll() {
    if (QPhotoGridView* grid = CurrentGrid()) {
        grid->SetAllChecked(true);
    } else {
        m_albumPage->SetAllChecked(true);
    }
}

void QPhotoView::OnBtnUnCheckAll() {
    if (QPhotoGridView* grid = CurrentGrid()) {
        grid->SetAllChecked(false);
    } else {
        m_albumPage->SetAllChecked(false);
    }
}

void QPhotoView::ReloadAfterChange() {
    Start();
    if (m_albumPage->HasLoaded()) {
        m_albumPage->Reload();
    }
    if (m_page == AlbumShowPage) {
        m_albumShow->Reload();
    }
}

void QPhotoView::OnBtnImport() {
    if (!m_writable) {
        return;
    }
    QPointer<QPhotoView> self(this);
    const QStringList files =
        QFileDialog::getOpenFileNames(this, tr("Import File"), QFileFolderExport::StartFolder(),
                                      tr("Images (*.bmp *.jpg *.gif *.png *jpeg)"));
    if (self && !files.isEmpty()) {
        ImportFiles(files);
    }
}

QStringList QPhotoView::ImageSuffixes() {
    return {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("gif"), QStringLiteral("png"),
            QStringLiteral("jpeg")};
}

void QPhotoView::dragEnterEvent(QDragEnterEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QPhotoView::dragMoveEvent(QDragMoveEvent* event) {
    CUrlDrop::AcceptCopy(event);
}

void QPhotoView::dropEvent(QDropEvent* event) {
    CDroppedFiles::Take(event, this, ImageSuffixes(),
                        [this](const QStringList& files) { ImportFiles(files); });
}

void QPhotoView::ImportFiles(const QStringList& files) {
    if (files.isEmpty() || !m_writable) {
        return;
    }
    // Into the open album when it is one of the user's, else into the Photo Library.
    const bool intoAlbum = m_page == AlbumShowPage && m_albumShow->AlbumType() == ALBUM_USER;
    const QString albumId =
        intoAlbum ? QString::fromUtf8(m_albumShow->AlbumId()) : QString::fromLatin1(kImportAlbumId);
    QPointer<QPhotoView> self(this);
    {
        const COwnManager own = OwnManagerFor(Manager());
        CPhotoSerialDlg dialog;
        dialog.StartImport(own.get(), files, albumId);
        dialog.exec();
    }
    if (self) {
        ReloadAfterChange();
    }
}

void QPhotoView::OnBtnExport() {
    if (m_page == AlbumsPage || !HasCheckedChunk()) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    QPointer<QPhotoView> self(this);
    QString folder;
    bool toJpeg = false;
    {
        // Not a child: a removal of the device during exec() deletes this view, never the dialog.
        PhotoExportDialog dialog;
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        folder = dialog.Folder();
        toJpeg = dialog.ConvertHeic();
    }
    if (self) {
        ExportTo(folder, toJpeg);
    }
}

int QPhotoView::ExportTo(const QString& folder, bool heicToJpeg) {
    return QFileFolderExport::ExportTo(this, Manager(), heicToJpeg ? kExportPhotosAsJpeg : kExportPhotos,
                                       folder);
}

bool QPhotoView::HasCheckedChunk() const {
    const QPhotoGridView* grid = CurrentGrid();
    return grid != nullptr && grid->CheckedCount() > 0;
}

void QPhotoView::Serialize(IBaseSerial* writer) {
    QPhotoGridView* grid = CurrentGrid();
    if (writer == nullptr || grid == nullptr || grid->List() == nullptr) {
        return;
    }
    std::vector<const PhotoRecord*> checked, shown;
    for (int index : grid->CheckedIndexes()) {
        checked.push_back(grid->List()->Record(index));
    }
    for (int index = 0; index < grid->List()->Count(); ++index) {
        shown.push_back(grid->List()->Record(index));
    }
    // A Live Photo's clip goes along with its still.
    IFileService* files = Manager() != nullptr ? Manager()->GetFileService() : nullptr;
    writer->BeginItem(CategoryName().c_str(), -1);
    int item = 0;
    for (const auto& [path, title] :
         CPhotoExportFiles::Of(checked, CPhotoExportFiles::OnDevice(files), &shown)) {
        writer->BeginItem("Photo", item++);
        writer->WriteString("path", path.c_str());
        writer->WriteString("title", title.c_str());
        writer->EndItem();
    }
    writer->EndItem();
}

void QPhotoView::OnBtnDelete() {
    if (!m_writable) {
        return;
    }
    switch (m_page) {
    case PhotosPage:
        DeletePhotos(m_photoPage->Grid());
        break;
    case AlbumsPage:
        m_albumPage->OnBtnDelete();
        break;
    case AlbumShowPage:
        if (m_albumShow->AlbumType() == ALBUM_USER) {
            QPhotoGridView* grid = m_albumShow->Page()->Grid();
            std::vector<QByteArray> ids;
            for (int index : grid->CheckedIndexes()) {
                ids.emplace_back(grid->List()->Record(index)->id);
            }
            if (ids.empty()) {
                ShowMessage(tr("Please choose one or more items first!"));
                return;
            }
            QPointer<QPhotoView> self(this);
            const int answer = ShowMessage(tr("Remove the selected photos from this album? They stay in the "
                                              "Photo Library."),
                                           QString(), MSG_WARNING | MSG_YESNO);
            if (!self || answer != MSG_RESULT_YES) {
                return;
            }
            m_albumShow->RemoveFromAlbum(ids);
        } else {
            DeletePhotos(m_albumShow->Page()->Grid());
        }
        break;
    }
}

void QPhotoView::DeleteChecked() {
    OnBtnDelete();
}

void QPhotoView::DeletePhotos(QPhotoGridView* grid) {
    const std::vector<int> checked = grid->CheckedIndexes();
    if (checked.empty()) {
        ShowMessage(tr("Please choose one or more items first!"));
        return;
    }
    // The records stay alive with this list whatever a reload does meanwhile.
    const std::shared_ptr<CPhotoList> list = grid->SharedList();
    QList<const PhotoRecord*> byKind[2];
    for (int index : checked) {
        const PhotoRecord* record = list->Record(index);
        byKind[record->kind == 2 ? 1 : 0].append(record);
    }
    QPointer<QPhotoView> self(this);
    const COwnManager own = OwnManagerFor(Manager());
    IPhotoLibrary* library = own ? own->GetPhotos() : nullptr;
    for (int kind = 1; kind <= 2; ++kind) {
        const QList<const PhotoRecord*>& items = byKind[kind - 1];
        if (items.isEmpty()) {
            continue;
        }
        const QByteArray text(items.first()->fileName);
        QProgressDlg dialog(QStringLiteral("Delete"));
        QPhotoDeleteAction action(library);
        action.SetDeleteItems(items, text.constData(), kind);
        action.Attach(&dialog);
        dialog.SetProxy(&action);
        dialog.exec();
        if (!self) {
            return;
        }
    }
    if (library != nullptr) {
        library->GetDeleteProgress();
    }
    ReloadAfterChange();
}
