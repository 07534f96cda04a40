#include "QPhotoMonthPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "CPhotoList.h"
#include "CPhotoMonthGroups.h"
#include "LanguageService.h"
#include "QPhotoGridView.h"
#include "QPhotoStretchThread.h"

QPhotoMonthPage::QPhotoMonthPage(IPhotoLibrary* library, QWidget* parent)
    : QWidget(parent)
    , m_thread(std::make_unique<QPhotoStretchThread>(library))
    , m_dateCombo(new QComboBox(this))
    , m_dateLabel(new QLabel(this))
    , m_stack(new QStackedWidget(this))
    , m_loadingWidget(new QLabel(m_stack))
    , m_movie(new QMovie(ResourceRoot() + QStringLiteral("/image/details/refresh.gif"), QByteArray(), this))
    , m_emptyLabel(new QLabel(m_stack))
    , m_grid(new QPhotoGridView(m_thread.get(), m_stack)) {
    m_dateCombo->setObjectName(QStringLiteral("m_dateCombo"));
    m_dateCombo->setMinimumWidth(120);
    m_dateLabel->setStyleSheet(QStringLiteral("color:rgb(66,127,142);"));
    m_loadingWidget->setObjectName(QStringLiteral("loadingWidget"));
    m_loadingWidget->setAlignment(Qt::AlignCenter);
    m_loadingWidget->setMovie(m_movie);
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_emptyLabel->setStyleSheet(QStringLiteral("color:rgb(110,167,180);font-size:14px;"));
    m_stack->addWidget(m_grid);
    m_stack->addWidget(m_loadingWidget);
    m_stack->addWidget(m_emptyLabel);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(12, 6, 12, 6);
    top->addWidget(m_dateLabel);
    top->addWidget(m_dateCombo);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_stack, 1);

    connect(m_dateCombo, &QComboBox::textActivated, this, &QPhotoMonthPage::OnDateComboBoxChanged);
    connect(m_grid, &QPhotoGridView::emitTopGroupChanged, this, &QPhotoMonthPage::OnTopGroupChanged);
    connect(m_grid, &QPhotoGridView::emitDoubleClicked, this, &QPhotoMonthPage::emitDoubleClicked);
    Retranslate();
}

QPhotoMonthPage::~QPhotoMonthPage() {
    // The grid holds on to the thread only weakly; the thread is joined before anything else goes.
    m_thread.reset();
}

void QPhotoMonthPage::ShowLoading() {
    m_stack->setCurrentWidget(m_loadingWidget);
    m_movie->start();
}

bool QPhotoMonthPage::IsLoading() const {
    return m_stack->currentWidget() == m_loadingWidget;
}

void QPhotoMonthPage::SetPhotos(std::shared_ptr<CPhotoList> list, std::shared_ptr<CPhotoMonthGroups> groups) {
    m_movie->stop();
    {
        const QSignalBlocker blocker(m_dateCombo);
        m_dateCombo->clear();
        if (groups) {
            for (const auto& group : groups->Groups()) {
                m_dateCombo->addItem(group.key);
            }
        }
    }
    const bool empty = !groups || groups->Groups().empty();
    m_grid->SetPhotos(std::move(list), std::move(groups));
    m_stack->setCurrentWidget(empty ? static_cast<QWidget*>(m_emptyLabel) : m_grid);
}

void QPhotoMonthPage::OnDateComboBoxChanged(QString key) {
    if (const CPhotoMonthGroups* groups = m_grid->Groups()) {
        m_grid->ScrollToGroup(groups->IndexOf(key));
    }
}

void QPhotoMonthPage::OnTopGroupChanged(int group) {
    if (group >= 0 && group < m_dateCombo->count() && m_dateCombo->currentIndex() != group) {
        const QSignalBlocker blocker(m_dateCombo);
        m_dateCombo->setCurrentIndex(group);
    }
}

void QPhotoMonthPage::Retranslate() {
    m_dateLabel->setText(tr("Month:"));
    m_emptyLabel->setText(tr("No photos found"));
}
