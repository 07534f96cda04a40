#include "QBaseDetailsView.h"

#include <QDebug>
#include <QLabel>
#include <QMovie>
#include <QTableView>
#include <QVBoxLayout>
#include <iterator>
#include <utility>

#include "CCheckedRecords.h"
#include "CFileDrag.h"
#include "IBaseChunk.h"
#include "IBaseSerial.h"
#include "LanguageService.h"
#include "QAddDataWidget.h"
#include "QBaseDetailsModel.h"
#include "QCheckHeaderView.h"
#include "QDragTableView.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QProUtil.h"
#include "QRecordDrag.h"

QBaseDetailsView::QBaseDetailsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_deviceHandle(deviceHandle) {
    m_operate = new QOperatePanel(this);
    m_addWidget = new QAddDataWidget(this);
    m_addWidget->setObjectName(QStringLiteral("m_addWidget"));
    m_addWidget->hide();
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("m_label"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setAutoFillBackground(true);
    m_label->hide();
    m_noMatch = new QLabel(this);
    m_noMatch->setObjectName(QStringLiteral("m_noMatch"));
    m_noMatch->setAlignment(Qt::AlignCenter);
    m_noMatch->setTextFormat(Qt::PlainText);
    m_noMatch->setStyleSheet(QStringLiteral("QLabel{color:rgb(66,127,142);background:white;padding:8px;}"));
    m_noMatch->hide();
    m_movie = new QMovie(ResourceRoot() + QStringLiteral("/image/details/refresh.gif"), QByteArray(), this);
    m_label->setMovie(m_movie);

    m_layout = new QVBoxLayout;
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_addWidget, 1);
    m_layout->addWidget(m_label, 1);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("m_unavailableNote"));
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setStyleSheet(QStringLiteral("color:rgb(66,127,142);font-size:14px;"));
    m_note->hide();
    m_layout->addWidget(m_note, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_operate);
    outer->addWidget(m_noMatch);
    outer->addLayout(m_layout, 1);

    connect(m_operate, &QOperatePanel::thumbOperate, this, &QBaseDetailsView::clickThumb);
    connect(m_operate, &QOperatePanel::listOperate, this, &QBaseDetailsView::clickList);
    connect(m_operate, &QOperatePanel::searchOperate, this, &QBaseDetailsView::OnSearchString);
    connect(this, &QBaseDetailsView::loadFinished, this, &QBaseDetailsView::OnLoadFinished,
            Qt::QueuedConnection);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QBaseDetailsView::OnLanguageChanged);
    connect(QProUtil::instance(), &QProUtil::languageChanged, m_addWidget,
            [this] { m_addWidget->SetEmptyText(EmptyText()); });
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QBaseDetailsView::UpdateNoMatch);
}

QBaseDetailsView::~QBaseDetailsView() {
    StopAndWait();
    // The children go after this: a proxy that loses its source then must not reach the label.
    if (m_searchModel)
        disconnect(m_searchModel, nullptr, this, nullptr);
    qDeleteAll(m_ownChunks);
}

int QBaseDetailsView::RecordCount() const {
    return m_chunks && m_chunks != &m_ownChunks ? GetChunkCount() : m_recordCount;
}

int QBaseDetailsView::SelectedCount() const {
    return m_table ? int(m_table->selectionModel()->selectedRows().size()) : 0;
}

void QBaseDetailsView::AddChunk(IBaseChunk* chunk) {
    if (m_chunks)
        m_chunks->push_back(chunk);
}

bool QBaseDetailsView::InsertChunk(IBaseChunk* chunk, int index) {
    if (!m_chunks || index < 0 || size_t(index) >= m_chunks->size())
        return false;
    m_chunks->insert(std::next(m_chunks->begin(), index), chunk);
    return true;
}

int QBaseDetailsView::GetChunkCount() const {
    return m_chunks ? int(m_chunks->size()) : 0;
}

IBaseChunk* QBaseDetailsView::GetChunk(int index) const {
    if (!m_chunks || index < 0 || size_t(index) >= m_chunks->size())
        return nullptr;
    return *std::next(m_chunks->begin(), index);
}

bool QBaseDetailsView::RemoveChunk(int index) {
    if (!m_chunks || index < 0 || size_t(index) >= m_chunks->size())
        return false;
    m_chunks->erase(std::next(m_chunks->begin(), index));
    return true;
}

void QBaseDetailsView::ClearChunks() {
    if (m_chunks)
        m_chunks->clear();
}

void QBaseDetailsView::SetChunkList(std::list<IBaseChunk*>* list) {
    m_chunks = list;
    if (m_model)
        m_model->SetChunkList(list);
}

bool QBaseDetailsView::HasCheckedChunk() const {
    if (!m_chunks)
        return false;
    for (const IBaseChunk* chunk : *m_chunks)
        if (chunk->IsChecked())
            return true;
    return false;
}

void QBaseDetailsView::Serialize(IBaseSerial* writer) {
    if (!writer || !m_chunks)
        return;
    CCheckedRecords(*m_chunks, m_categoryName).Serialize(writer);
}

void QBaseDetailsView::ShowLoading(bool on) {
    if (on) {
        m_label->show();
        m_movie->start();
    } else {
        m_movie->stop();
        m_label->hide();
    }
}

void QBaseDetailsView::OnAnalysisBegin() {
    m_addWidget->hide();
    if (m_currentWidget && !m_currentWidget->isHidden()) {
        m_operate->setEnabled(false);
        m_currentWidget->hide();
        ShowLoading(true);
        m_state = ContentState::Loading;
    }
    UpdateNoMatch();
}

void QBaseDetailsView::OnAnalysisEnd() {
    if (m_unavailable) {
        ShowUnavailable();
        return;
    }
    m_addWidget->hide();
    ShowLoading(false);
    if (m_model)
        m_model->Reset();
    if (m_header)
        m_header->SetCheckState(Qt::Unchecked);
    m_operate->setEnabled(true);
    if (GetChunkCount() > 0) {
        if (!m_currentWidget)
            SwitchTo(m_listWidget ? m_listWidget : m_thumbWidget);
        if (m_currentWidget)
            m_currentWidget->show();
        if (m_thumbWidget)
            m_operate->EnableThumbBtn(true);
        if (m_listWidget)
            m_operate->EnableListBtn(true);
        m_state = ContentState::Table;
    } else {
        if (m_currentWidget)
            m_currentWidget->hide();
        m_addWidget->SetEmptyText(EmptyText());
        m_addWidget->show();
        m_operate->EnableListBtn(false);
        m_operate->EnableThumbBtn(false);
        m_state = ContentState::Empty;
    }
    UpdateNoMatch();
}

void QBaseDetailsView::SetModel(QBaseDetailsModel* model) {
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (!model)
        return;
    model->SetChunkList(m_chunks);
    if (m_header)
        connect(m_header, &QCheckHeaderView::checkChange, this, &QBaseDetailsView::OnHeaderCheckChange,
                Qt::UniqueConnection);
    connect(model, &QBaseDetailsModel::itemCehckChange, this, &QBaseDetailsView::OnItemCheckChange);
}

void QBaseDetailsView::SetThumbWidget(QWidget* widget) {
    if (m_thumbWidget) {
        m_layout->removeWidget(m_thumbWidget);
        m_thumbWidget->hide();
        if (m_currentWidget == m_thumbWidget)
            m_currentWidget = nullptr;
    }
    m_thumbWidget = widget;
    if (widget) {
        m_layout->addWidget(widget, 1);
        widget->hide();
        m_operate->EnableThumbBtn(true);
    }
}

void QBaseDetailsView::SetListWidget(QWidget* widget) {
    if (m_listWidget) {
        m_layout->removeWidget(m_listWidget);
        m_listWidget->hide();
        if (m_currentWidget == m_listWidget)
            m_currentWidget = nullptr;
    }
    m_listWidget = widget;
    if (widget) {
        m_layout->addWidget(widget, 1);
        widget->hide();
        m_operate->EnableListBtn(true);
    }
}

void QBaseDetailsView::SwitchTo(QWidget* widget) {
    if (!widget || !widget->isHidden() || m_unavailable)
        return;
    if (m_currentWidget)
        m_currentWidget->hide();
    m_addWidget->hide();
    widget->show();
    m_currentWidget = widget;
    if (widget == m_thumbWidget)
        m_operate->SelectThumb();
    else
        m_operate->SelectList();
}

void QBaseDetailsView::clickThumb() {
    SwitchTo(m_thumbWidget);
}

void QBaseDetailsView::clickList() {
    SwitchTo(m_listWidget);
}

void QBaseDetailsView::OnHeaderCheckChange(bool checked) {
    qDebug() << "OnHeaderCheckChange";
    if (m_chunks)
        for (IBaseChunk* chunk : *m_chunks)
            chunk->SetChecked(checked);
    if (m_model) {
        m_model->headerDataChanged(Qt::Horizontal, 0, 0);
        if (m_model->rowCount() > 0)
            emit m_model->dataChanged(m_model->index(0, 0), m_model->index(m_model->rowCount() - 1, 0),
                                      {Qt::CheckStateRole});
    }
}

void QBaseDetailsView::SyncHeaderCheck() {
    if (!m_header || !m_chunks)
        return;
    // One pass over the records: a load of thousands runs this on the GUI thread.
    bool anyChecked = false;
    bool anyUnchecked = false;
    for (const IBaseChunk* chunk : *m_chunks)
        (chunk->IsChecked() ? anyChecked : anyUnchecked) = true;
    if (!anyChecked)
        m_header->SetCheckState(Qt::Unchecked);
    else
        m_header->SetCheckState(anyUnchecked ? Qt::PartiallyChecked : Qt::Checked);
}

// The box's own state is in the records; which way it changed says nothing more.
void QBaseDetailsView::OnItemCheckChange(bool) {
    SyncHeaderCheck();
}

void QBaseDetailsView::OnSearchString(const QString& text) {
    if (m_searchModel)
        m_searchModel->SetSearchPattern(text);
    UpdateNoMatch();
}

void QBaseDetailsView::SetSearchModel(QMySortModel* model) {
    m_searchModel = model;
    if (!model)
        return;
    // Loads, adds and removals change what the search leaves as well as typing does.
    connect(model, &QAbstractItemModel::rowsInserted, this, &QBaseDetailsView::UpdateNoMatch);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &QBaseDetailsView::UpdateNoMatch);
    connect(model, &QAbstractItemModel::modelReset, this, &QBaseDetailsView::UpdateNoMatch);
    connect(model, &QAbstractItemModel::layoutChanged, this, &QBaseDetailsView::UpdateNoMatch);
}

void QBaseDetailsView::UpdateNoMatch() {
    const QString pattern = m_searchModel ? m_searchModel->SearchPattern() : QString();
    const QAbstractItemModel* source = m_searchModel ? m_searchModel->sourceModel() : nullptr;
    const bool nothingFound = !pattern.isEmpty() && source && source->rowCount() > 0 &&
                              m_searchModel->rowCount() == 0 && m_state == ContentState::Table;
    if (nothingFound)
        m_noMatch->setText(tr("Nothing matches \"%1\".").arg(pattern));
    m_noMatch->setVisible(nothingFound);
}

QTableView* QBaseDetailsView::CreateTableView(QBaseDetailsModel* model) {
    // A drag table, though it drags nothing until the category enables it.
    m_table = new QDragTableView(this);
    m_table->setDragDropMode(QAbstractItemView::NoDragDrop);
    m_table->setObjectName(QStringLiteral("m_tableView"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->setStyleSheet(QStringLiteral("QTableView::item{selection-background-color:rgb(100,166,182)}"));
    m_header = new QCheckHeaderView(Qt::Horizontal, m_table);
    m_header->LoadDefaultImages();
    m_header->setStretchLastSection(true);
    m_table->setHorizontalHeader(m_header);
    m_sortModel = new QMySortModel(this);
    m_sortModel->setSourceModel(model);
    m_table->setModel(m_sortModel);
    SetSearchModel(m_sortModel);
    m_table->setSortingEnabled(true);
    SetModel(model);
    SetListWidget(m_table);
    return m_table;
}

void QBaseDetailsView::EnableDragOut(int exportKind) {
    auto* table = qobject_cast<QDragTableView*>(m_table);
    if (!table || !m_model)
        return;
    // Drops are not taken by the table: they reach the view, which adds what it can.
    table->setDragDropMode(QAbstractItemView::DragOnly);
    m_model->SetDragEnabled(true);
    if (m_dragKind < 0)
        connect(table, &QDragTableView::doStartDrag, this, &QBaseDetailsView::OnStartDrag);
    m_dragKind = exportKind;
}

QString QBaseDetailsView::DragFailureText() const {
    return tr("These items could not be copied from the device:");
}

std::vector<IBaseChunk*> QBaseDetailsView::DraggedChunks() const {
    std::vector<IBaseChunk*> chunks;
    if (!m_table || !m_sortModel || !m_model || !m_chunks)
        return chunks;
    const QItemSelectionModel* selection = m_table->selectionModel();
    auto chunkAt = [this](int row) {
        return m_model->ChunkAt(m_sortModel->mapToSource(m_sortModel->index(row, 0)).row());
    };
    bool withChecked = false;
    for (int row = 0; row < m_sortModel->rowCount() && !withChecked; ++row) {
        const IBaseChunk* chunk = chunkAt(row);
        withChecked = chunk && chunk->IsChecked() && selection->isRowSelected(row);
    }
    for (int row = 0; row < m_sortModel->rowCount(); ++row) {
        IBaseChunk* chunk = chunkAt(row);
        if (chunk && (selection->isRowSelected(row) || (withChecked && chunk->IsChecked())))
            chunks.push_back(chunk);
    }
    return chunks;
}

QDropFileMimeData* QBaseDetailsView::PrepareDrag() {
    if (m_dragKind < 0)
        return nullptr;
    return QRecordDrag::Prepare(this, m_manager, m_dragKind, DraggedChunks(), DragFailureText());
}

void QBaseDetailsView::OnStartDrag(Qt::DropActions) {
    CFileDrag::Start(m_table, PrepareDrag());
}

void QBaseDetailsView::InitControls() {
    m_ownModel = new QBaseDetailsModel(this);
    SetChunkList(&m_ownChunks);
    CreateTableView(m_ownModel);
    clickList();
    OnLanguageChanged();
}

QString QBaseDetailsView::Caption() const {
    return tr("Entries");
}

QString QBaseDetailsView::EmptyText() const {
    return tr("There is nothing here on the device.");
}

QStringList QBaseDetailsView::ColumnTitles() const {
    return {};
}

void QBaseDetailsView::OnLanguageChanged() {
    if (m_note)
        m_note->setText(UnavailableText());
    if (m_ownModel)
        m_ownModel->SetHeaderLabels(ColumnTitles());
}

void QBaseDetailsView::Run() {
    // The simple categories read nothing yet, so their load finds no records.
    if (!IsStopRequested())
        emit loadFinished(0);
}

void QBaseDetailsView::OnLoadFinished(int recordCount) {
    ShowLoadResult(recordCount);
}

void QBaseDetailsView::ShowLoadResult(int recordCount) {
    m_recordCount = recordCount;
    m_loaded = true;
    OnAnalysisEnd();
    if (m_unavailable)
        ShowUnavailable(); // categories that keep their own content state
    EmitRefresh();
}

void QBaseDetailsView::ShowUnavailable() {
    const bool first = !m_unavailable;
    m_unavailable = true;
    m_loaded = true;
    m_recordCount = 0;
    ShowLoading(false);
    // Whatever the category put into the page goes, its own buttons included.
    for (int i = 0; i < m_layout->count(); ++i) {
        QWidget* widget = m_layout->itemAt(i)->widget();
        if (widget && widget != m_note)
            widget->hide();
    }
    m_operate->hide();
    m_note->setText(UnavailableText());
    m_note->show();
    m_state = ContentState::Unavailable;
    if (first)
        emit emitUnavailable();
}

void QBaseDetailsView::ShowUnavailableLater() {
    QMetaObject::invokeMethod(this, &QBaseDetailsView::ShowUnavailable, Qt::QueuedConnection);
}

QString QBaseDetailsView::UnavailableText() const {
    static const std::pair<const char*, const char*> texts[] = {
        {"QContactsView", QT_TR_NOOP("Contacts cannot be read from this device yet.")},
        {"qmessageView", QT_TR_NOOP("Messages cannot be read from this device yet.")},
        {"QCallsView", QT_TR_NOOP("The call history cannot be read from this device yet.")},
        {"QMusicView", QT_TR_NOOP("Music cannot be read from this device yet.")},
        {"QPlayListView", QT_TR_NOOP("Playlists cannot be read from this device yet.")},
        {"QVideoView", QT_TR_NOOP("Videos cannot be read from this device yet.")},
        {"PhotoView", QT_TR_NOOP("Photos cannot be read from this device yet.")},
        {"QiBookView", QT_TR_NOOP("Books cannot be read from this device yet.")},
    };
    for (const auto& [name, text] : texts)
        if (objectName() == QLatin1String(name))
            return tr(text);
    return tr("This content cannot be read from this device yet.");
}
