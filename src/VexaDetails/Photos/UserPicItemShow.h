#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include "QUtilThread.h"
#include "indexPhoto.h"

class CPhotoList;
class CPhotoMonthGroups;
class IVexaManager;
class QLabel;
class QPhotoMonthPage;
class QPushButton;

// An open album: its photos by month, like the photo page, under a bar with its name and "Return".
// The photos are read on the page's own thread. Deleting in an album made by the user only takes the
// photos out of it; in the other albums it deletes them from the device.
class UserPicItemShow : public QWidget, public QUtilThread {
    Q_OBJECT
public:
    explicit UserPicItemShow(IVexaManager* manager, QWidget* parent = nullptr);
    ~UserPicItemShow() override;

    void Open(const QByteArray& albumId, const QString& name, IPhotoAlbumType type);
    void Reload();
    // Takes the checked photos out of this (user) album on the worker, then reads the album again.
    void RemoveFromAlbum(const std::vector<QByteArray>& photoIds);

    QByteArray AlbumId() const { return m_albumId; }
    IPhotoAlbumType AlbumType() const { return m_type; }
    QPhotoMonthPage* Page() const { return m_page; }
    QPushButton* ReturnButton() const { return m_btnReturn; }
    void Retranslate();

signals:
    void emitReturn(IPhotoAlbumType type);
    void emitDragFiles(QStringList files);
    void emitPhotosRead();

protected:
    void Run() override;

private slots:
    void OnPhotosRead();

private:
    IVexaManager* m_manager;
    QByteArray m_albumId;
    QString m_name;
    IPhotoAlbumType m_type = 0;
    QLabel* m_title;
    QPushButton* m_btnReturn;
    QPhotoMonthPage* m_page;
    std::mutex m_mutex;
    std::vector<QByteArray> m_removals;
    std::shared_ptr<CPhotoList> m_readList;
    std::shared_ptr<CPhotoMonthGroups> m_readGroups;
    QString m_problem;
};
