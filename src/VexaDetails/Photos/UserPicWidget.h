#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "CAlbumInfo.h"
#include "QUtilThread.h"
#include "indexPhoto.h"

class IVexaManager;
class PicItemTotal;
class QGridLayout;
class QLabel;
class QMovie;
class QScrollArea;
class QStackedWidget;

// The album page: one tile per album. Its worker makes the changes the user asked for (a new album, a
// rename, deletions) and then reads the albums and their covers again; the tiles are rebuilt from
// that reading on the widget thread, and what could not be done is said afterwards.
class UserPicWidget : public QWidget, public QUtilThread {
    Q_OBJECT
public:
    explicit UserPicWidget(IVexaManager* manager, QWidget* parent = nullptr);
    ~UserPicWidget() override;

    // Reads the albums again (after the pending changes).
    void Reload();
    bool HasLoaded() const { return m_loaded; }
    // The last reading of the albums failed; the tiles are those of the reading before.
    bool LastReadFailed() const { return m_readFailed; }
    const QList<PicItemTotal*>& Tiles() const { return m_tiles; }
    PicItemTotal* TileOf(const QString& name) const;
    void SetAllChecked(bool checked);
    void Retranslate();
    // Albums that can only be looked at: no new album, rename or delete.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return m_readOnly; }

signals:
    void emitOnDoubleClickedItem(IPhotoAlbumType type, char* id);
    void emitAlbumsRead();

public slots:
    void OnNewAlbum(QString name);
    void OnReciveImportPhotoNum(QString albumId, int count);
    void OnDoubleClickedItem(char* id, IPhotoAlbumType type);
    void OnChangAlbumName(char* id, QString name);
    void OnBtnNewAlbum();
    void OnBtnDelete();
    void OnDeleteAlbum(QString name);

protected:
    void Run() override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void OnAlbumsRead();

private:
    struct Pending {
        std::optional<QString> newAlbum;
        struct Rename {
            QByteArray id;
            QString oldName;
            QString newName;
        };
        std::vector<Rename> renames;
        std::vector<QByteArray> deletes;
    };
    struct Outcome {
        std::vector<CAlbumInfo> albums;
        bool readFailed = false;
        QStringList problems;
    };
    void RunPending(Pending& pending, QStringList& problems);
    bool ReadAlbums(std::vector<CAlbumInfo>& albums);
    void Rebuild(const std::vector<CAlbumInfo>& albums);
    // As many tiles a row as the page's width holds, so that no row reaches under the page's edge.
    int Columns() const;
    void PlaceTiles();
    bool CheckName(const QString& name);

    IVexaManager* m_manager;
    std::mutex m_mutex;
    Pending m_pending;
    Outcome m_outcome;
    bool m_loaded = false;
    bool m_readFailed = false;
    QStackedWidget* m_stack;
    QLabel* m_loadingWidget;
    QMovie* m_movie;
    QScrollArea* m_scroll;
    QWidget* m_grid;
    QGridLayout* m_gridLayout;
    QList<PicItemTotal*> m_tiles;
    int m_columns = 0;
    bool m_readOnly = false;
};
