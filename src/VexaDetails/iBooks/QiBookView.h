#pragma once

#include <QStringList>

#include "DeviceSubItem.h"
#include "QBaseDetailsView.h"

class CReadOnlyPage;
class CiBookChunk;
class IObsever;
class QAction;
class QColumnFit;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMenu;
class QiBooksModel;

// The books category of one device (object name "QiBookView"). It shows the records a separate
// QiBookAnalysisThread owns; adds PDF and EPUB files (dialog, empty panel or drop), deletes checked
// books, and copies them to a folder on the computer or to the iTunes media folder.
class QiBookView : public QBaseDetailsView {
    Q_OBJECT
public:
    QiBookView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QiBookView() override;

    // The navigation tree's report of a finished load; ignored while a newer load is on its way.
    // `listed` false: the device's books could not be read.
    void ShowBookCount(int count, bool listed = true);
    bool IsLoading() const { return m_loadsPending > 0; }
    QiBooksModel* BooksModel() const { return m_model; }

    // Where "To iTunes" looks for the iTunes library file; empty: the standard music location.
    void SetMusicFolder(const QString& folder) { m_musicFolder = folder; }
    // Someone else who wants to follow the add job besides its progress dialog (not owned).
    void SetAddObserver(IObsever* observer) { m_addObserver = observer; }
    // Adds the files to the device behind the progress dialog, then reloads the books.
    void AddFiles(const QStringList& files);
    // The menu for a right click at `pos` (table viewport coordinates), ready to be shown.
    QMenu* PrepareContextMenu(const QPoint& pos);

    void OnAnalysisEnd() override;

signals:
    void clickRefresh();
    void repainTree(int deviceHandle, int row, tagDeviceSubItem item);

public slots:
    void OnSearchString(const QString& text) override;
    void ClickTableView(const QModelIndex& index);
    void OnRightClicked(const QPoint& pos);
    void OnAddBtn();
    void OnRemoveBtn();
    void OnToComputerFile();
    void OnToiTunes();
    void OnLanguangeChanged();
    void OnLanguageChanged() override;
    // The loader is about to rebuild its list: the table lets go of the records until the end report.
    void OnLoadStarting();

protected:
    QString Caption() const override;
    void EmitRefresh() override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void InitEmptyPanel();
    void RetranslateUi();
    CiBookChunk* BookAtRow(const QModelIndex& viewIndex) const;
    // Marks only `book`, so that the checked-records actions work on the row the user pointed at.
    void CheckOnly(CiBookChunk* book);
    void RefreshChecks();

    QiBooksModel* m_model;
    QMenu* m_menu = nullptr;
    CReadOnlyPage* m_readOnly = nullptr;
    QColumnFit* m_columnFit = nullptr;
    QAction* m_actionToComputer = nullptr;
    QAction* m_actionToiTunes = nullptr;
    CiBookChunk* m_clickedBook = nullptr;
    int m_loadsPending = 0;
    QString m_musicFolder;
    IObsever* m_addObserver = nullptr;
    // After an add: how many books the reload should find, or -1.
    int m_expectedAfterAdd = -1;
};
