#pragma once

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTimer>

#include "DeviceSubItem.h"
#include "LoadHandoff.h"
#include "QBaseDetailsView.h"

class IAppLibrary;
class QAction;
class QAppsChunk;
class QAppsViewModel;
class QInstallDlg;
class QMenu;

// The apps category of one device (object name "QAppsView"): lists the installed applications with
// their icons, installs packages from the computer, uninstalls apps and backs them up as packages.
// One worker pass at a time does the device work: a load, an install, an uninstall or a backup.
class QAppsView : public QBaseDetailsView {
    Q_OBJECT
public:
    // What the next worker pass does. A pass started without a task (the tree's first press, the
    // refresh button) loads the list.
    enum class Task { Load, Install, Uninstall, Backup, BackupWithDocuments };

    // Where the progress bar moves during an install or an uninstall.
    enum Stage { StageIdle, StagePreparing, StageWorking, StageRefreshing };

    // The pause between two steps of the progress bar.
    static constexpr int kProgressIntervalMs = 1000;

    QAppsView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QAppsView() override;

    QAppsViewModel* AppsModel() const { return m_model; }
    // The progress window of a running install or uninstall, else null.
    QInstallDlg* InstallDialog() const;
    QTimer* ProgressTimer() { return &m_progressTimer; }
    // The app the row actions work on: the table's current row.
    QAppsChunk* CurrentApp() const;
    // Makes the row of `app` current; false when it is not shown.
    bool SelectApp(const QString& appId);
    // Sets up the context menu for a right click at `pos` (table viewport coordinates); null when the
    // click hit no row.
    QMenu* PrepareContextMenu(const QPoint& pos);
    // The text UnAndInDone shows for a result code; empty for the codes that show nothing.
    static QString ResultText(int code);
    // The file the backup dialog proposes for an app titled `title`.
    static QString ProposedBackupPath(const QString& title);
    void SetStages(int installStage, int uninstallStage);

signals:
    void InstallDone(int code);
    void emitRefreshAppNode(int deviceHandle);
    void repainTree(int deviceHandle, int n, tagDeviceSubItem item);
    void emitBeginExecute();
    void emitBackupResult(int code);
    void emitGetAppNumFailed();
    void emitGetAppIconFailed();
    // "Documents" of an app: the device's file browser should open the container of the app known by
    // `appId` at `folder` (a path inside the container, "/Documents").
    void emitOpenAppDocuments(int deviceHandle, const QString& appId, const QString& folder);
    // A load has ended and its records are waiting for the view (crosses from the worker).
    void emitLoadDone();

public slots:
    void TableViewClick(const QModelIndex& index);
    void showListMenu(const QPoint& pos);
    void OnSearchString(const QString& text) override;
    void installAppFile();
    void UninstallApp();
    void UnAndInDone(int code);
    void refreshData();
    void OnTimer();
    void OnResetDoneModel();
    void OnUnstallIndex();
    void OnBackupApp();
    void OnDocument();
    // "Back app" and "Backup app(Contains the document)".
    void BackupApp();
    void BackupData();
    void ListSort(int column, Qt::SortOrder order);
    void OnBackupResult(int code);
    void DoAnalysisBegin();
    void DoAnalysisEnd();
    void OnGetAppNumFailed();
    void OnGetAppIconFailed();
    void OnLanguageChanged() override;

    // Installs the package at `path` as if the user had chosen it.
    void InstallPackage(const QString& path);
    // Backs the current app up into `path` as if the user had chosen it.
    void BackupTo(const QString& path, bool withDocuments);

protected:
    void Run() override;
    QString Caption() const override;
    QString DragFailureText() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct LoadResult {
        bool ok = false;
        std::list<IBaseChunk*> chunks;
        ~LoadResult();
    };

    void InitEmptyPanel();
    void RetranslateUi();
    // Sets what the next pass does and starts it; false when the view has stopped for good.
    bool StartTask(Task task, const std::string& appId, const QString& path);
    // The worker's share of each task.
    void LoadList();
    void RunInstall(const QString& path);
    void RunUninstall(const std::string& appId);
    void RunBackup(const std::string& appId, const QString& path, bool withDocuments);
    void ShowProgress(bool install);
    void CloseProgress();
    void AskBackupPath(bool withDocuments);
    // Gives every row on screen its buttons; rows scrolled to later get theirs then.
    void SchedulePanels();
    void EnsurePanels();
    void AddPanel(const QModelIndex& proxyIndex);
    bool SelectRow(const QPersistentModelIndex& row);
    void HighlightPanels();

    IAppLibrary* m_apps;
    QAppsViewModel* m_model;
    std::list<IBaseChunk*> m_records;
    QPointer<QInstallDlg> m_installDlg;
    QTimer m_progressTimer;
    QTimer m_panelTimer;
    QMenu* m_menu = nullptr;
    QMenu* m_backupMenu = nullptr;
    // Current devices do not archive apps; their rows offer no backup.
    bool m_canBackupApps = true;
    QAction* m_actionUninstall = nullptr;
    QAction* m_actionBackupPlain = nullptr;
    QAction* m_actionBackupDocuments = nullptr;

    std::atomic<int> m_installStage{StageIdle};
    std::atomic<int> m_uninstallStage{StageIdle};

    // Handed to the next worker pass; written only while no pass runs.
    std::mutex m_taskMutex;
    Task m_task = Task::Load;
    std::string m_taskAppId;
    QString m_taskPath;

    LoadHandoff<LoadResult> m_pending; // from the worker to DoAnalysisEnd
};
