#pragma once

#include <memory>
#include <mutex>
#include <optional>

#include <QWidget>

#include <vexa/IVexaManager.h>

#include "CDeviceInfoCopy.h"
#include "QUtilThread.h"

namespace Ui {
class QDeviceInformationWidget;
}
class QInformationWidget;
class QLabel;

// The device information page: the summary card, and the data and system storage views whose figures
// a worker thread reads from the device.
class QDeviceInformationWidget : public QWidget, public QUtilThread {
    Q_OBJECT
public:
    QDeviceInformationWidget(IVexaManager* manager, QWidget* parent = nullptr);
    ~QDeviceInformationWidget() override;

    QInformationWidget* InformationPanel() const;
    bool HasRecord() const { return m_record.has_value(); }
    // A backup opened for reading: no storage figures, nothing to rename.
    bool IsBackup() const { return m_backup; }
    bool IsShowingData() const;
    // The storage figures of the last successful read.
    DiskInfo LastDiskInfo() const;

signals:
    void refreshTreeRootName(QString name, int handle);
    void emitGetDiskInfoFailed(int code);
    void GetDiskInfoFinished();
    void beginRefresh();
    void endRefresh();

public slots:
    void onClickData();
    void onClickSystem();
    void onClickRefresh();
    void OnEmitRefreshTreeRootName(QString name);
    void onFailed(int code);
    void OnGetDiskInfoFinished();
    void OnBeginRefresh();
    void OnEndRefresh();
    void OnLanguageChanged();

protected:
    void Run() override;

private:
    bool InitControls();
    void LookUpRecord();
    int ReadDiskInfo();
    void FillDataView(const DiskInfo& disk);
    void FillSystemView(const DiskInfo& disk);
    void ShowBackupPage();

    std::unique_ptr<Ui::QDeviceInformationWidget> ui;
    IVexaManager* m_manager;
    // Set once in the constructor, before the worker starts; read-only afterwards.
    std::optional<CDeviceInfoCopy> m_record;
    // The worker writes the figures and the GUI thread reads them, both under the lock.
    mutable std::mutex m_diskMutex;
    DiskInfo m_diskInfo{};
    bool m_closing = false;
    bool m_backup = false;
    QLabel* m_backupNote = nullptr;
};
