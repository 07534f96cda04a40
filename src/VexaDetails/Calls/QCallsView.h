#pragma once

#include <list>
#include <memory>
#include <mutex>

#include "LoadHandoff.h"
#include "QBaseDetailsView.h"

class CSnapshotPage;
class IDeviceService;
class QCallsModel;

// The call history of one device (object name "QCallsView"): read on the view's own thread, shown in
// a table that the search box filters by name or number, and exported from the checked calls. Calls
// are only read; the page offers neither adding nor deleting.
class QCallsView : public QBaseDetailsView {
    Q_OBJECT
public:
    QCallsView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QCallsView() override;

    QCallsModel* CallsModel() const { return m_model; }
    // Null unless the device is read through a snapshot.
    CSnapshotPage* Snapshot() const { return m_snapshot; }

signals:
    void loadStarted();
    void loadEnded();
    void loadFailed(int code);
    // The count of calls changed; the tree shows it in the node.
    void refreshCallsNode(int deviceHandle);

public slots:
    void OnRefresh();
    void OnLanguageChanged() override;

protected:
    void Run() override;
    QString Caption() const override;
    QString EmptyText() const override;

private slots:
    void OnLoadStarted();
    void OnLoadEnded();
    void OnLoadFailed(int code);

private:
    struct LoadResult {
        bool ok = false;
        std::list<IBaseChunk*> chunks;
        ~LoadResult();
    };

    IDeviceService* m_service;
    QCallsModel* m_model;
    CSnapshotPage* m_snapshot = nullptr;
    std::list<IBaseChunk*> m_records;

    LoadHandoff<LoadResult> m_pending; // handed from the loading thread to OnLoadEnded
};
