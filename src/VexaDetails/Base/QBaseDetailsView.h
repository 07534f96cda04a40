#pragma once

#include <QStringList>
#include <QWidget>

#include "QUtilThread.h"

class IVexaManager;
class QLabel;
class QStandardItemModel;
class QTableView;

// Common base of the category views: a captioned record table for one device and the thread that
// loads it. The records themselves come with each category's own record set; until then a load
// finds nothing and the view shows its empty table.
class QBaseDetailsView : public QWidget, public QUtilThread {
    Q_OBJECT
public:
    QBaseDetailsView(IVexaManager* manager, int deviceHandle, QWidget* parent);
    ~QBaseDetailsView() override;

    IVexaManager* Manager() const { return m_manager; }
    int DeviceHandle() const { return m_deviceHandle; }
    // Records of the last finished load; 0 before the first.
    int RecordCount() const { return m_recordCount; }
    int SelectedCount() const;
    bool HasLoaded() const { return m_loaded; }

public slots:
    virtual void OnLanguageChanged();

signals:
    // Sent from the loading thread; the view handles it on its own thread.
    void loadFinished(int recordCount);

protected:
    // Called at the end of the derived constructor: the caption and columns come from virtuals.
    void InitControls();
    virtual QString Caption() const = 0;
    virtual QStringList ColumnTitles() const = 0;
    // Tells the tree that the count changed; each category has its own signal for that.
    virtual void EmitRefresh() {}

    void Run() override;
    // Shows the outcome of a load and tells the tree.
    void ShowLoadResult(int recordCount);

private slots:
    void OnLoadFinished(int recordCount);

private:
    void UpdateCaption();

    IVexaManager* m_manager;
    int m_deviceHandle;
    int m_recordCount = 0;
    bool m_loaded = false;
    QLabel* m_caption = nullptr;
    QTableView* m_table = nullptr;
    QStandardItemModel* m_model = nullptr;
};
