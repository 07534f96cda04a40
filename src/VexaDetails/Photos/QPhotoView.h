#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include <QStringList>

#include "QBaseDetailsView.h"
#include "indexPhoto.h"

class CPhotoList;
class CPhotoMonthGroups;
class QButtonGroup;
class QLabel;
class QPhotoGridView;
class QPhotoMonthPage;
class QPushButton;
class QStackedWidget;
class ReadOnlyNotice;
class UserPicItemShow;
class UserPicWidget;

// The photos category of one device (object name "PhotoView"): the photo page with every photo by
// month, the album page, and an open album. The photo list is read on the view's own thread; the
// buttons above act on whichever page is shown, and pictures dropped on it are imported.
class QPhotoView : public QBaseDetailsView {
    Q_OBJECT
    // Read by the device tree, whose album menu is left out when false.
    Q_PROPERTY(bool contentWritable READ IsWritable)
public:
    enum Page { PhotosPage = 0, AlbumsPage = 1, AlbumShowPage = 2 };
    static constexpr const char* kImportAlbumId = "00000000-0000-0000-0000-000000000064";

    QPhotoView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QPhotoView() override;

    // The folder of this device below the work folder, "/<unique device id>".
    void SetDeviceFolder(const QString& folder) { m_deviceFolder = folder; }
    QString DeviceFolder() const { return m_deviceFolder; }

    Page CurrentPage() const { return m_page; }
    // The last reading of the photo list failed (the page is empty for that reason).
    bool LastReadFailed() const { return m_shownReadFailed; }
    QPhotoMonthPage* PhotoPage() const { return m_photoPage; }
    UserPicWidget* AlbumPage() const { return m_albumPage; }
    UserPicItemShow* AlbumShow() const { return m_albumShow; }
    QPushButton* Button(const char* objectName) const;
    // False on a device whose photos are only read here: import, delete and album changes are not
    // offered, and one line on the page says where they are made instead.
    bool IsWritable() const { return m_writable; }
    ReadOnlyNotice* Notice() const { return m_notice; }
    // The line under it that counts the photos the last reading had to leave out; hidden when none.
    QLabel* UnreadableLine() const { return m_unreadable; }

    // The steps behind the buttons' dialogs, for callers that already know the files or the folder.
    // Imports into the open album when it is one of the user's, else into the Photo Library.
    void ImportFiles(const QStringList& files);
    // The suffixes of the picture files an import takes, lower case without the dot.
    static QStringList ImageSuffixes();
    // Copies the checked photos into `folder`, HEIC pictures as JPEGs when `heicToJpeg`; a Live Photo's
    // clip goes along with its still.
    int ExportTo(const QString& folder, bool heicToJpeg = false);
    void DeleteChecked();

    // Writes the checked photos of the page shown (path and title of each).
    void Serialize(IBaseSerial* writer) override;
    bool HasCheckedChunk() const override;
    void OnAnalysisBegin() override;
    void OnAnalysisEnd() override {}

signals:
    void emitRefreshPhotosNode(int deviceHandle);
    void UpdateCameraView();
    void emitAnalysisBegin();
    void emitAnalysisEnd();

public slots:
    void OnComboBoxChanged(int index);
    void OnDateComboBoxChanged(QString key);
    void OnScrollBarChanged(int value);
    void OnEnterAlbumView(IPhotoAlbumType type, char* id);
    void OnReturnAlbumView(IPhotoAlbumType type);
    void OnUpDatePhotoView();
    void OnRedrawItem(QString key, indexPhoto* item);
    void OnBtnImport();
    void OnBtnExport();
    void OnBtnDelete();
    void OnBtnRefresh();
    void OnBtnCheckAll();
    void OnBtnUnCheckAll();
    void OnNewAlbum(QString name);
    void OnDeleteAlbum(QString name);
    void OnLanguageChanged() override;

protected:
    void Run() override;
    void EmitRefresh() override;
    // Picture files and folders dropped on any page are imported as the "Import" button does.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void OnOpenPhoto(int index);
    void OnUnreadableCount(int count);

private:
    QWidget* CreateBar();
    // A tab without an icon, an action button with its icon for a narrow bar.
    QPushButton* MakeButton(const char* objectName, const char* icon = nullptr);
    void ShowPage(Page page);
    void ApplyWriteAccess(int access);
    void ShowUnreadable();
    QPhotoGridView* CurrentGrid() const;
    void ReloadAfterChange();
    void DeletePhotos(QPhotoGridView* grid);

    QString m_deviceFolder;
    Page m_page = PhotosPage;
    QButtonGroup* m_tabs = nullptr;
    QPushButton* m_tabPhotos = nullptr;
    QPushButton* m_tabAlbums = nullptr;
    std::vector<QPushButton*> m_buttons;
    QStackedWidget* m_pages = nullptr;
    ReadOnlyNotice* m_notice = nullptr;
    QLabel* m_unreadable = nullptr;
    int m_unreadableCount = 0;
    bool m_writable = true;
    QPhotoMonthPage* m_photoPage = nullptr;
    UserPicWidget* m_albumPage = nullptr;
    UserPicItemShow* m_albumShow = nullptr;

    std::mutex m_readMutex;
    std::shared_ptr<CPhotoList> m_readList;
    std::shared_ptr<CPhotoMonthGroups> m_readGroups;
    bool m_readFailed = false;
    int m_readUnreadable = 0;
    bool m_shownReadFailed = false;
};
