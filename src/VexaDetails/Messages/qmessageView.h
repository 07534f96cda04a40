#pragma once

#include <list>
#include <memory>
#include <mutex>

#include <QModelIndex>

#include "DeviceSubItem.h"
#include "IExportWithFiles.h"
#include "LoadHandoff.h"
#include "QBaseDetailsView.h"

class CAttachmentFiles;
class CSnapshotPage;
class IDeviceService;
class QMessageFlow;
class QMessageModel;

// The messages category of one device (object name "qmessageView"): lists the conversations on its own
// thread, shows the chosen one as chat bubbles and exports the checked conversations.
class qmessageView : public QBaseDetailsView, public IExportWithFiles {
    Q_OBJECT
public:
    qmessageView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~qmessageView() override;

    IDeviceService* MessageService() const { return m_service; }
    QMessageModel* MessageModel() const { return m_model; }
    QMessageFlow* Flow() const { return m_flow; }
    CAttachmentFiles* AttachmentFiles() const { return m_files; }
    // Null unless the device is read through a snapshot.
    CSnapshotPage* Snapshot() const { return m_snapshot; }

    // The checked conversations with their attachments copied beside the file.
    CRecordFileExport::Result ExportWithFiles(const std::string& utf8Path) override;

signals:
    void beginOnExecute();
    void endOnExecute();
    void initFlow(const QModelIndex& index);
    void repainTree(int deviceHandle, int row, tagDeviceSubItem item);
    void emitRefresh();
    void emitFailed(int code);
    void refreshMSGNode(int deviceHandle);

public slots:
    void OnEmitRefresh();
    void OnBeginExecute();
    void OnEndExecute();
    void OnError(int code);
    void OnLanguageChanged() override;

protected:
    void Run() override;
    QString Caption() const override;

private:
    struct LoadResult {
        bool ok = false;
        int nodeValue = 0;
        std::list<IBaseChunk*> chunks;
        ~LoadResult();
    };

    void InitEmptyPanel();

    IDeviceService* m_service;
    QMessageModel* m_model;
    QMessageFlow* m_flow;
    CAttachmentFiles* m_files;
    CSnapshotPage* m_snapshot = nullptr;
    std::list<IBaseChunk*> m_records;

    LoadHandoff<LoadResult> m_pending; // handed from the loading thread to OnEndExecute
};
