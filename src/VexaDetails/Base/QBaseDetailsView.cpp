#include "QBaseDetailsView.h"

#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "QProUtil.h"

QBaseDetailsView::QBaseDetailsView(IVexaManager* manager, int deviceHandle, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_deviceHandle(deviceHandle) {
    connect(this, &QBaseDetailsView::loadFinished, this, &QBaseDetailsView::OnLoadFinished,
            Qt::QueuedConnection);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QBaseDetailsView::OnLanguageChanged);
}

QBaseDetailsView::~QBaseDetailsView() {
    StopAndWait();
}

void QBaseDetailsView::InitControls() {
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("m_caption"));
    m_caption->setStyleSheet(QStringLiteral("QLabel{color:rgb(60,120,135);font-size:15px;font-weight:bold;"
                                            "padding:8px 10px;background-color:rgb(236,248,251);}"));
    m_model = new QStandardItemModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("m_tableView"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setStyleSheet(
        QStringLiteral("QTableView{border:none;alternate-background-color:rgb(245,251,252);}"
                       "QHeaderView::section{background-color:rgb(216,243,249);border:none;"
                       "border-right:1px solid rgb(190,225,232);padding:5px;color:rgb(60,60,60);}"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addWidget(m_table, 1);
    OnLanguageChanged();
}

int QBaseDetailsView::SelectedCount() const {
    return m_table ? int(m_table->selectionModel()->selectedRows().size()) : 0;
}

void QBaseDetailsView::OnLanguageChanged() {
    if (!m_model)
        return;
    m_model->setHorizontalHeaderLabels(ColumnTitles());
    for (int column = 0; column + 1 < m_model->columnCount(); ++column)
        m_table->setColumnWidth(column, 160);
    UpdateCaption();
}

void QBaseDetailsView::Run() {
    // Nothing of the category is read yet, so the load finds no records.
    if (!IsStopRequested())
        emit loadFinished(0);
}

void QBaseDetailsView::OnLoadFinished(int recordCount) {
    ShowLoadResult(recordCount);
}

void QBaseDetailsView::ShowLoadResult(int recordCount) {
    m_recordCount = recordCount;
    m_loaded = true;
    m_model->setRowCount(recordCount);
    UpdateCaption();
    EmitRefresh();
}

void QBaseDetailsView::UpdateCaption() {
    m_caption->setText(m_loaded ? QStringLiteral("%1 (%2)").arg(Caption()).arg(m_recordCount) : Caption());
}
