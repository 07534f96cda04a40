#include "QAppsView.h"

#include <algorithm>
#include <iterator>

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>

#include <vexa/IVexaManager.h>
#include <vexa/InstallProgress.h>

#include "CExportFileName.h"
#include "CModalGuard.h"
#include "CPackageRename.h"
#include "CPhotoSerialThread.h"
#include "LanguageService.h"
#include "QAddDataWidget.h"
#include "QAppStatusPanel.h"
#include "QAppsChunk.h"
#include "QAppsViewModel.h"
#include "QImageButton.h"
#include "QInstallDlg.h"
#include "QMessageDlg.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "ResultReason.h"
#include "WidgetColors.h"

namespace {

constexpr int kColumnWidths[] = {240, 100, 100, 90};
constexpr int kRowHeight = QAppsChunk::kIconSide + 8;
// An install takes a while on a real device; its bar moves faster than the uninstall's.
constexpr int kInstallIntervalMs = 300;
// What a pass reports when the device handed out no app library.
constexpr int kNoLibrary = -1;
// The folder inside an app's container that "Documents" opens.
const char* const kDocumentsFolder = "/Documents";

} // namespace

QAppsView::LoadResult::~LoadResult() {
    qDeleteAll(chunks);
}

QAppsView::QAppsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QBaseDetailsView(manager, deviceHandle, parent)
    , m_apps(manager ? manager->GetAppLibrary() : nullptr)
    , m_model(new QAppsViewModel(this)) {
    setObjectName(QStringLiteral("QAppsView"));
    SetCategoryName("Apps");
    SetChunkList(&m_records);
    QTableView* table = CreateTableView(m_model);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setIconSize(QSize(QAppsChunk::kIconSide, QAppsChunk::kIconSide));
    table->setWordWrap(false);
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->viewport()->installEventFilter(this);
    table->sortByColumn(QAppsViewModel::NameColumn, Qt::AscendingOrder);
    // A dragged app leaves as the package "To Computer" writes.
    EnableDragOut(kExportApps);
    OnResetDoneModel();
    clickList();

    m_menu = new QMenu(this);
    m_menu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    m_actionUninstall = m_menu->addAction(QString(), this, &QAppsView::UninstallApp);
    m_backupMenu = m_menu->addMenu(QString());
    m_backupMenu->setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    m_actionBackupPlain = m_backupMenu->addAction(QString(), this, &QAppsView::BackupApp);
    m_actionBackupDocuments = m_backupMenu->addAction(QString(), this, &QAppsView::BackupData);
    m_canBackupApps = m_apps && m_apps->QueryAppBackup() == VEXA_OK;
    m_backupMenu->menuAction()->setVisible(m_canBackupApps);

    m_panelTimer.setSingleShot(true);
    m_panelTimer.setInterval(0);
    connect(&m_panelTimer, &QTimer::timeout, this, &QAppsView::EnsurePanels);
    connect(&m_progressTimer, &QTimer::timeout, this, &QAppsView::OnTimer);

    QOperatePanel* panel = OperatePanel();
    if (auto* add = panel->findChild<QImageButton*>(QStringLiteral("m_addBtn")))
        add->SetImages(ResourceRoot() + QStringLiteral("/image/details/ADD_app_btn.png"));
    connect(panel, &QOperatePanel::addOperate, this, &QAppsView::installAppFile);
    connect(panel, &QOperatePanel::deleteOperate, this, &QAppsView::UninstallApp);
    connect(panel, &QOperatePanel::refreshOperate, this, &QAppsView::refreshData);
    connect(AddWidget(), &QAddDataWidget::clickAdd, this, &QAppsView::installAppFile);
    connect(table, &QTableView::customContextMenuRequested, this, &QAppsView::showListMenu);
    connect(table, &QTableView::clicked, this, &QAppsView::TableViewClick);
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, this, &QAppsView::SchedulePanels);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QAppsView::HighlightPanels);
    connect(SortModel(), &QMySortModel::emitSort, this, &QAppsView::ListSort);
    connect(SortModel(), &QMySortModel::modelReset, this, &QAppsView::OnResetDoneModel, Qt::DirectConnection);
    connect(SortModel(), &QMySortModel::layoutChanged, this, &QAppsView::SchedulePanels);

    // The base view would show an empty list at the end of a pass; this view shows its own records.
    disconnect(this, &QBaseDetailsView::loadFinished, this, nullptr);
    connect(this, &QAppsView::emitBeginExecute, this, &QAppsView::DoAnalysisBegin);
    connect(this, &QAppsView::emitLoadDone, this, &QAppsView::DoAnalysisEnd);
    connect(this, &QAppsView::emitGetAppNumFailed, this, &QAppsView::OnGetAppNumFailed);
    connect(this, &QAppsView::emitGetAppIconFailed, this, &QAppsView::OnGetAppIconFailed);
    connect(this, &QAppsView::InstallDone, this, &QAppsView::UnAndInDone);
    connect(this, &QAppsView::emitBackupResult, this, &QAppsView::OnBackupResult);
    RetranslateUi();
    // A missing picture is reported in a modal message; opened here, it would run device events (a
    // removal among them) while the view is still being built.
    QTimer::singleShot(0, this, &QAppsView::InitEmptyPanel);
}

QAppsView::~QAppsView() {
    // What the worker still reports is for a view that is going; none of it may run while the wait
    // below keeps events flowing.
    disconnect(this, nullptr, this, nullptr);
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    m_progressTimer.stop();
    m_panelTimer.stop();
    StopAndWait();
    // The table is still drawn while the widget base hides it: it must show no record any more.
    SetChunkList(nullptr);
    qDeleteAll(m_records);
    m_records.clear();
}

QString QAppsView::Caption() const {
    return tr("Apps");
}

QString QAppsView::DragFailureText() const {
    return tr("The device could not produce the package of these apps:");
}

void QAppsView::InitEmptyPanel() {
    AddWidget()->setAddButtonImage(ResourceRoot() + QStringLiteral("/image/details/ADD_app_btn.png"));
}

// ---------------------------------------------------------------------------------------------------
// The worker

bool QAppsView::StartTask(Task task, const std::string& appId, const QString& path) {
    // A running pass reads its task first thing; wait for it before the next task is set.
    const CModalGuard guard(this);
    WaitForThread();
    if (guard.Gone())
        return false;
    {
        std::lock_guard lock(m_taskMutex);
        m_task = task;
        m_taskAppId = appId;
        m_taskPath = path;
    }
    return Start();
}

void QAppsView::Run() {
    Task task;
    std::string appId;
    QString path;
    {
        std::lock_guard lock(m_taskMutex);
        task = std::exchange(m_task, Task::Load);
        appId = std::move(m_taskAppId);
        path = std::move(m_taskPath);
    }
    switch (task) {
    case Task::Load:
        LoadList();
        break;
    case Task::Install:
        RunInstall(path);
        break;
    case Task::Uninstall:
        RunUninstall(appId);
        break;
    case Task::Backup:
    case Task::BackupWithDocuments:
        RunBackup(appId, path, task == Task::BackupWithDocuments);
        break;
    }
}

void QAppsView::LoadList() {
    emit emitBeginExecute();
    auto result = std::make_unique<LoadResult>();
    AppRecord* records = nullptr;
    int count = 0;
    const int listed = m_apps ? m_apps->GetApplistInfo(&records, &count) : kNoLibrary;
    if (listed != 0) {
        qDebug() << "GetApplistInfo failed! return:" << listed;
        emit emitGetAppNumFailed();
    } else if (const int icons = count > 0 ? m_apps->GetAppListIcon(records, count) : 0; icons != 0) {
        qDebug() << "GetAppListIcon return:" << icons;
        emit emitGetAppIconFailed();
    } else {
        for (int i = 0; i < count && records; ++i)
            result->chunks.push_back(new QAppsChunk(records[i]));
        result->ok = true;
    }
    m_pending.Put(std::move(result));
    emit emitLoadDone();
}

void QAppsView::RunInstall(const QString& path) {
    m_installStage = StagePreparing;
    int code = kNoLibrary;
    {
        CPackageRename package(path);
        m_installStage = StageWorking;
        if (m_apps)
            code = m_apps->InstallApp(reinterpret_cast<const char16_t*>(package.CurrentPath().utf16()));
        // The package has its own name again before anyone hears the result.
    }
    m_installStage = StageRefreshing;
    LoadList();
    emit InstallDone(code);
}

void QAppsView::RunUninstall(const std::string& appId) {
    m_uninstallStage = StagePreparing;
    // The identifier goes to the device as it came (the program's code page is UTF-8).
    const std::string id = appId;
    m_uninstallStage = StageWorking;
    const int code = m_apps ? m_apps->UninstallApp(id.c_str()) : kNoLibrary;
    m_uninstallStage = StageRefreshing;
    LoadList();
    emit InstallDone(code);
}

void QAppsView::RunBackup(const std::string& appId, const QString& path, bool withDocuments) {
    const QByteArray destination = QFile::encodeName(path);
    const int code = m_apps ? m_apps->BackupApp(appId.c_str(), destination.constData(), withDocuments ? 1 : 0)
                            : kNoLibrary;
    if (code != 0)
        qDebug() << "QAppsView::RunBackup BackupApp answered" << code;
    emit emitBackupResult(code);
}

// ---------------------------------------------------------------------------------------------------
// Loading

void QAppsView::refreshData() {
    StartTask(Task::Load, {}, {});
}

void QAppsView::DoAnalysisBegin() {
    OnAnalysisBegin();
}

void QAppsView::DoAnalysisEnd() {
    std::unique_ptr<LoadResult> result = m_pending.Take();
    if (!result)
        return;
    // The old records go with the result object once the model no longer shows them.
    m_records.swap(result->chunks);
    m_model->Reset();
    OnAnalysisEnd();
    SyncHeaderCheck();
    SchedulePanels();
    emit repainTree(DeviceHandle(), 0, SUB_ITEM_APPS);
    if (result->ok)
        emit emitRefreshAppNode(DeviceHandle());
    emit loadFinished(GetChunkCount());
}

void QAppsView::OnGetAppNumFailed() {
    ShowMessage(tr("Get app number failed! Please refresh!"), QString(), MSG_ERROR);
}

void QAppsView::OnGetAppIconFailed() {
    ShowMessage(tr("Get app icon failed! Please refresh!"), QString(), MSG_ERROR);
}

void QAppsView::OnResetDoneModel() {
    QHeaderView* header = TableView() ? TableView()->horizontalHeader() : nullptr;
    if (header && header->count() >= int(std::size(kColumnWidths))) {
        for (int column = 0; column < int(std::size(kColumnWidths)); ++column)
            header->resizeSection(column, kColumnWidths[column]);
    }
    SchedulePanels();
}

void QAppsView::OnSearchString(const QString& text) {
    QBaseDetailsView::OnSearchString(text);
    SchedulePanels();
}

void QAppsView::ListSort(int, Qt::SortOrder) {
    SchedulePanels();
}

// ---------------------------------------------------------------------------------------------------
// Row buttons

bool QAppsView::eventFilter(QObject* watched, QEvent* event) {
    if (TableView() && watched == TableView()->viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        SchedulePanels();
    return QBaseDetailsView::eventFilter(watched, event);
}

void QAppsView::SchedulePanels() {
    m_panelTimer.start();
}

void QAppsView::EnsurePanels() {
    QTableView* table = TableView();
    // A hidden table has no rows on screen; it asks again when it is shown.
    if (!table || !table->isVisible() || SortModel()->rowCount() == 0)
        return;
    // Only rows on screen get their buttons: five hundred rows of widgets would stall the window.
    const int first = std::max(0, table->rowAt(0));
    int last = table->rowAt(table->viewport()->height() - 1);
    if (last < 0)
        last = SortModel()->rowCount() - 1;
    for (int row = first; row <= last; ++row) {
        const QModelIndex status = SortModel()->index(row, QAppsViewModel::StatusColumn);
        if (status.isValid() && !table->indexWidget(status))
            AddPanel(status);
    }
}

void QAppsView::AddPanel(const QModelIndex& proxyIndex) {
    auto* panel = new QAppStatusPanel;
    panel->setObjectName(QStringLiteral("m_statusPanel"));
    const QPersistentModelIndex row(proxyIndex);
    connect(panel, &QAppStatusPanel::UnstallApp, this, [this, row] {
        if (SelectRow(row))
            OnUnstallIndex();
    });
    connect(panel, &QAppStatusPanel::BackupApp, this, [this, row] {
        if (SelectRow(row))
            OnBackupApp();
    });
    if (auto* backup = panel->findChild<QWidget*>(QStringLiteral("m_btnBackup")))
        backup->setVisible(m_canBackupApps);
    connect(panel, &QAppStatusPanel::SaveDocApp, this, [this, row] {
        if (SelectRow(row))
            OnDocument();
    });
    TableView()->setIndexWidget(proxyIndex, panel);
    panel->SetHighlighted(TableView()->selectionModel()->isRowSelected(proxyIndex.row()));
}

void QAppsView::HighlightPanels() {
    QTableView* table = TableView();
    for (int row = 0; row < SortModel()->rowCount(); ++row) {
        const QModelIndex status = SortModel()->index(row, QAppsViewModel::StatusColumn);
        if (auto* panel = qobject_cast<QAppStatusPanel*>(table->indexWidget(status)))
            panel->SetHighlighted(table->selectionModel()->isRowSelected(row));
    }
}

bool QAppsView::SelectRow(const QPersistentModelIndex& row) {
    if (!row.isValid())
        return false;
    TableView()->setCurrentIndex(row.sibling(row.row(), QAppsViewModel::NameColumn));
    return true;
}

QAppsChunk* QAppsView::CurrentApp() const {
    const QModelIndex current = TableView() ? TableView()->currentIndex() : QModelIndex();
    if (!current.isValid())
        return nullptr;
    return m_model->AppAt(SortModel()->mapToSource(current).row());
}

bool QAppsView::SelectApp(const QString& appId) {
    const std::string id = appId.toStdString();
    for (int row = 0; row < SortModel()->rowCount(); ++row) {
        const QModelIndex index = SortModel()->index(row, QAppsViewModel::NameColumn);
        const QAppsChunk* app = m_model->AppAt(SortModel()->mapToSource(index).row());
        if (app && app->GetId() == id) {
            TableView()->setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

void QAppsView::TableViewClick(const QModelIndex& index) {
    if (index.isValid())
        TableView()->setCurrentIndex(index.sibling(index.row(), QAppsViewModel::NameColumn));
}

QMenu* QAppsView::PrepareContextMenu(const QPoint& pos) {
    const QModelIndex index = TableView()->indexAt(pos);
    if (!index.isValid())
        return nullptr;
    TableView()->setCurrentIndex(index.sibling(index.row(), QAppsViewModel::NameColumn));
    return m_menu;
}

void QAppsView::showListMenu(const QPoint& pos) {
    if (QMenu* menu = PrepareContextMenu(pos))
        menu->exec(TableView()->viewport()->mapToGlobal(pos));
}

// ---------------------------------------------------------------------------------------------------
// Installing and uninstalling

void QAppsView::installAppFile() {
    const CModalGuard guard(this);
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Import File"), QString(), tr("Apps(*.ipa *.pxl)"));
    if (guard.Gone() || path.isEmpty())
        return;
    InstallPackage(path);
}

void QAppsView::InstallPackage(const QString& path) {
    m_installStage = StageIdle;
    ShowProgress(true);
    const QPointer<QAppsView> self(this);
    if (!StartTask(Task::Install, {}, path) && self)
        CloseProgress();
}

void QAppsView::OnUnstallIndex() {
    UninstallApp();
}

void QAppsView::UninstallApp() {
    const QAppsChunk* app = CurrentApp();
    if (!app)
        return;
    const std::string id = app->GetId();
    const CModalGuard guard(this);
    if (ShowMessage(tr("Are you sure you want to uninstall the application?"), QString(),
                    MSG_WARNING | MSG_YESNO) != MSG_RESULT_YES ||
        guard.Gone())
        return;
    emit repainTree(DeviceHandle(), 1, SUB_ITEM_APPS);
    m_uninstallStage = StageIdle;
    ShowProgress(false);
    const QPointer<QAppsView> self(this);
    if (!StartTask(Task::Uninstall, id, {}) && self)
        CloseProgress();
}

void QAppsView::ShowProgress(bool install) {
    const auto mode = install ? QInstallDlg::Mode::Install : QInstallDlg::Mode::Uninstall;
    if (!m_installDlg)
        m_installDlg = new QInstallDlg(mode, this);
    m_installDlg->Begin(mode);
    m_progressTimer.start(install ? kInstallIntervalMs : kProgressIntervalMs);
}

void QAppsView::CloseProgress() {
    m_progressTimer.stop();
    if (m_installDlg)
        m_installDlg->Finish();
}

QInstallDlg* QAppsView::InstallDialog() const {
    return m_installDlg && m_installDlg->isVisible() ? m_installDlg.data() : nullptr;
}

void QAppsView::SetStages(int installStage, int uninstallStage) {
    m_installStage = installStage;
    m_uninstallStage = uninstallStage;
}

void QAppsView::OnTimer() {
    if (!InstallDialog())
        return;
    const bool install = m_installDlg->CurrentMode() == QInstallDlg::Mode::Install;
    const int stage = install ? m_installStage.load() : m_uninstallStage.load();
    const int value = m_installDlg->ProValue();
    switch (stage) {
    case StagePreparing:
        m_installDlg->SetStageText(install ? tr("file loading...") : tr("Access to information..."));
        break;
    case StageWorking: {
        m_installDlg->SetStageText(install ? tr("installing...") : tr("Unstalling..."));
        // A device that reports its progress moves the bar itself, across the same stretch.
        const auto* measured = install ? dynamic_cast<const IInstallProgress*>(m_apps) : nullptr;
        const int percent = measured ? measured->GetInstallProgress() : -1;
        if (percent >= 0)
            m_installDlg->setProValue(std::max(value, 30 + percent * 60 / 100));
        else
            m_installDlg->setProValue(value < 30 ? 30 : std::min(value + 1, 90));
        break;
    }
    case StageRefreshing:
        m_installDlg->SetStageText(tr("Please wait for the refresh..."));
        m_installDlg->setProValue(value < 90 ? 90 : std::min(value + 1, 100));
        break;
    default:
        m_installDlg->setProValue(0);
        break;
    }
}

QString QAppsView::ResultText(int code) {
    switch (code) {
    case 0:
        return tr("Finish");
    case 7:
        return tr("Write playlist error!");
    case 8:
        return tr("Parse playlist error!");
    case 9:
        return tr("Revice playlist error!");
    case 10:
        return tr("Put file error!");
    case 11:
        return tr("Get file error!");
    case 12:
        return tr("Install app error!");
    case 13:
        return tr("Install app failed! Your system version is too low!");
    case 14:
        return tr("Uninstall app failed!");
    case 15:
        return tr("Backup App failed!");
    case 16:
        return tr("Close archive error!");
    default:
        return {};
    }
}

void QAppsView::UnAndInDone(int code) {
    CloseProgress();
    const bool installing = m_installStage != StageIdle;
    m_installStage = StageIdle;
    m_uninstallStage = StageIdle;
    QString text = ResultText(code);
    // A general failure with a reason (a lost, locked or full device) gets the operation's text.
    if (text.isEmpty() && !ResultReason(code).isEmpty())
        text = installing ? ResultText(VEXA_APP_INSTALL_ERROR) : ResultText(VEXA_APP_UNINSTALL_FAILED);
    if (text.isEmpty()) {
        qDebug() << "QAppsView::UnAndInDone the device answered" << code;
        return;
    }
    ShowMessage(WithReason(text, code), QString(), code == 0 ? MSG_SUCCESS : MSG_ERROR);
}

// ---------------------------------------------------------------------------------------------------
// Backing up and documents

QString QAppsView::ProposedBackupPath(const QString& title) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QString::fromStdString(CExportFileName::SanitiseTitle(title.toStdString()));
    return QStringLiteral("%1/%2/%3%4")
        .arg(documents, QStringLiteral("Vexa Transfer Files"), name, QStringLiteral(".ipa"));
}

void QAppsView::OnBackupApp() {
    if (!CurrentApp() || !m_canBackupApps)
        return;
    const QPoint at = QCursor::pos();
    m_backupMenu->exec(at);
}

void QAppsView::BackupApp() {
    AskBackupPath(false);
}

void QAppsView::BackupData() {
    AskBackupPath(true);
}

void QAppsView::AskBackupPath(bool withDocuments) {
    const QAppsChunk* app = CurrentApp();
    if (!app)
        return;
    const QString proposed = ProposedBackupPath(app->Title());
    const CModalGuard guard(this);
    const QString path = QFileDialog::getSaveFileName(this, tr("Save File"), proposed, tr("Apps(*.ipa)"));
    if (guard.Gone() || path.isEmpty())
        return;
    BackupTo(path, withDocuments);
}

void QAppsView::BackupTo(const QString& path, bool withDocuments) {
    const QAppsChunk* app = CurrentApp();
    if (!app || path.isEmpty())
        return;
    const std::string id = app->GetId();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qDebug() << "QAppsView::BackupTo can't create the folder of" << path;
        OnBackupResult(kNoLibrary);
        return;
    }
    StartTask(withDocuments ? Task::BackupWithDocuments : Task::Backup, id, path);
}

void QAppsView::OnBackupResult(int code) {
    if (code == 0)
        ShowMessage(tr("Backup successfully!"), QString(), MSG_SUCCESS);
    else
        ShowMessage(tr("Backup App failed!"), QString(), MSG_ERROR);
}

void QAppsView::OnDocument() {
    const QAppsChunk* app = CurrentApp();
    if (!app)
        return;
    emit emitOpenAppDocuments(DeviceHandle(), QString::fromStdString(app->GetId()),
                              QString::fromLatin1(kDocumentsFolder));
}

// ---------------------------------------------------------------------------------------------------

void QAppsView::OnLanguageChanged() {
    RetranslateUi();
    InitEmptyPanel();
    if (auto* add = OperatePanel()->findChild<QImageButton*>(QStringLiteral("m_addBtn")))
        add->SetImages(ResourceRoot() + QStringLiteral("/image/details/ADD_app_btn.png"));
}

void QAppsView::RetranslateUi() {
    QBaseDetailsView::OnLanguageChanged();
    m_model->Retranslate();
    m_actionUninstall->setText(tr("Uninstall"));
    m_backupMenu->setTitle(tr("Backup"));
    m_actionBackupPlain->setText(tr("Back app"));
    m_actionBackupDocuments->setText(tr("Backup app(Contains the document)"));
}
