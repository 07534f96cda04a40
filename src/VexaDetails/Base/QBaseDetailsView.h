#pragma once

#include <QStringList>
#include <QWidget>
#include <list>
#include <string>
#include <vector>

#include "CCheckedRecords.h"
#include "IAnalysisCallback.h"
#include "IBaseDetails.h"
#include "ISerialable.h"
#include "QUtilThread.h"

class IBaseChunk;
class IVexaManager;
class QAddDataWidget;
class QBaseDetailsModel;
class QCheckHeaderView;
class QDropFileMimeData;
class QLabel;
class QMovie;
class QMySortModel;
class QOperatePanel;
class QTableView;
class QVBoxLayout;

// Common frame of the category pages: the operation panel on top and below it the record table, a
// loading animation or the empty-category panel. The view shows a record list it does not own and
// loads it on a thread of its own (or hears a separate loader through IAnalysisCallback).
class QBaseDetailsView : public QWidget,
                         public IBaseDetails,
                         public ISerialable,
                         public IAnalysisCallback,
                         public QUtilThread {
    Q_OBJECT
public:
    enum class ContentState { Loading, Table, Empty, Unavailable };

    QBaseDetailsView(IVexaManager* manager, int deviceHandle, QWidget* parent);
    ~QBaseDetailsView() override;

    IVexaManager* Manager() const { return m_manager; }
    int DeviceHandle() const { return m_deviceHandle; }
    // Records of the last finished load; 0 before the first.
    int RecordCount() const;
    virtual int SelectedCount() const;
    bool HasLoaded() const { return m_loaded; }

    // Name used for exports ("Entries" until a category sets its own).
    const std::string& CategoryName() const { return m_categoryName; }
    void SetCategoryName(const std::string& name) { m_categoryName = name; }
    int UserValue() const { return m_userValue; }
    void SetUserValue(int value) { m_userValue = value; }

    // IBaseDetails: pointers only, chunks are never deleted here.
    void AddChunk(IBaseChunk* chunk) override;
    bool InsertChunk(IBaseChunk* chunk, int index) override;
    int GetChunkCount() const override;
    IBaseChunk* GetChunk(int index) const override;
    bool RemoveChunk(int index) override;
    void ClearChunks() override;

    virtual void SetChunkList(std::list<IBaseChunk*>* list);
    std::list<IBaseChunk*>* ChunkList() const { return m_chunks; }
    virtual bool HasCheckedChunk() const;
    // The header's check box after the records' marks changed: checked, unchecked or partly.
    void SyncHeaderCheck();

    // Writes the checked records.
    void Serialize(IBaseSerial* writer) override;
    void Deserialize(IBaseSerial*) override {}

    // Load begin and end drive the three content states.
    void OnAnalysisBegin() override;
    void OnAnalysisEnd() override;
    void OnAnalysisSize(quint64) override {}
    void OnAnalysisProgress(RecoverType, IBaseChunk*, quint64, quint64) override {}
    void OnAnalysisError(char*) override {}

    ContentState State() const { return m_state; }
    // The device answered that this category cannot be read from it yet: the page shows one line
    // saying so instead of its records and offers no buttons. GUI thread.
    void ShowUnavailable();
    bool IsUnavailable() const { return m_unavailable; }
    // The same from a loading thread: takes effect in the GUI thread's events, before a load result
    // posted after it.
    void ShowUnavailableLater();
    // The line shown instead of the records.
    QString UnavailableText() const;
    QOperatePanel* OperatePanel() const { return m_operate; }
    QAddDataWidget* AddWidget() const { return m_addWidget; }
    QCheckHeaderView* Header() const { return m_header; }
    QBaseDetailsModel* Model() const { return m_model; }
    QMySortModel* SortModel() const { return m_sortModel; }
    // The proxy the search box filters; the record table's unless a page brings its own.
    QMySortModel* SearchModel() const { return m_searchModel; }
    // The line that says a search found nothing; hidden otherwise.
    QLabel* NoMatchLabel() const { return m_noMatch; }
    QTableView* TableView() const { return m_table; }
    QWidget* CurrentWidget() const { return m_currentWidget; }

    // Installs the category model (not owned) and ties the check-all box to it.
    void SetModel(QBaseDetailsModel* model);
    // The content widgets; the previous one leaves the layout, the new one is added hidden.
    void SetThumbWidget(QWidget* widget);
    void SetListWidget(QWidget* widget);

    // The records a drag out of the table takes: the selected rows, and every checked row as well
    // when one of the selected rows is checked; in the table's order.
    std::vector<IBaseChunk*> DraggedChunks() const;
    // The data of a drag of DraggedChunks(); null when the table does not drag out or nothing is
    // dragged.
    QDropFileMimeData* PrepareDrag();

public slots:
    virtual void OnLanguageChanged();
    void clickThumb();
    void clickList();
    void OnHeaderCheckChange(bool checked);
    void OnItemCheckChange(bool checked);
    // A regular expression over every column, letter case aside; an empty text shows all rows.
    virtual void OnSearchString(const QString& text);
    void OnStartDrag(Qt::DropActions actions);

signals:
    // Sent from the loading thread; the view handles it on its own thread.
    void loadFinished(int recordCount);
    void recoverToPc();
    void recoverToDevice();
    void recoverToiTunes();
    // The page became unavailable (ShowUnavailable); the tree stops waiting for a count.
    void emitUnavailable();

protected:
    // Builds the shared record table over `model` (with the check header and the sorting proxy)
    // and makes it the list widget.
    QTableView* CreateTableView(QBaseDetailsModel* model);
    // Makes `model` the one the search box filters and whose emptiness the no-match line reports;
    // called once, when the view builds its content.
    void SetSearchModel(QMySortModel* model);
    // Lets the record table drag its records out of the program as the file export of `exportKind`
    // copies them.
    void EnableDragOut(int exportKind);
    // The first line of the message that names the records a drag could not copy.
    virtual QString DragFailureText() const;
    // For the simple categories: a table over the view's own list with ColumnTitles() as header.
    void InitControls();
    virtual QString Caption() const;
    // What the empty-category panel says when the category has no picture for it.
    virtual QString EmptyText() const;
    virtual QStringList ColumnTitles() const;
    // Tells the tree that the count changed; each category has its own signal for that.
    virtual void EmitRefresh() {}

    void Run() override;
    // Shows the outcome of a load and tells the tree.
    void ShowLoadResult(int recordCount);
    QVBoxLayout* ContentLayout() const { return m_layout; }

private slots:
    void OnLoadFinished(int recordCount);

private:
    void SwitchTo(QWidget* widget);
    void UpdateNoMatch();
    void ShowLoading(bool on);

    IVexaManager* m_manager;
    int m_deviceHandle;
    int m_recordCount = 0;
    bool m_loaded = false;
    std::string m_categoryName = CCheckedRecords::kDefaultCategoryName;
    int m_userValue = 0;
    ContentState m_state = ContentState::Table;

    QOperatePanel* m_operate = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QAddDataWidget* m_addWidget = nullptr;
    QLabel* m_label = nullptr;
    QLabel* m_note = nullptr;
    bool m_unavailable = false;
    QMovie* m_movie = nullptr;
    QWidget* m_thumbWidget = nullptr;
    QWidget* m_listWidget = nullptr;
    QWidget* m_currentWidget = nullptr;
    std::list<IBaseChunk*>* m_chunks = nullptr;
    QCheckHeaderView* m_header = nullptr;
    QBaseDetailsModel* m_model = nullptr;
    QMySortModel* m_sortModel = nullptr;
    QMySortModel* m_searchModel = nullptr;
    QLabel* m_noMatch = nullptr;
    QTableView* m_table = nullptr;
    int m_dragKind = -1;
    // The simple categories' list (InitControls); categories with records bring their own.
    std::list<IBaseChunk*> m_ownChunks;
    QBaseDetailsModel* m_ownModel = nullptr;
};
