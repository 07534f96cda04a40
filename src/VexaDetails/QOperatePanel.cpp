#include "QOperatePanel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "QSearchWidget.h"

namespace {

QString DetailsImage(const char* name) {
    return ResourceRoot() + QStringLiteral("/image/details/") + QLatin1String(name);
}

} // namespace

QOperatePanel::QOperatePanel(QWidget* parent)
    : QWidget(parent) {
    InitControls();
}

QImageButton* QOperatePanel::MakeButton(const char* name, const QString& image, bool* allFound) {
    auto* button = new QImageButton(this);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    if (!image.isEmpty() && !button->SetImages(image))
        *allFound = false;
    return button;
}

void QOperatePanel::InitControls() {
    setObjectName(QStringLiteral("m_operate"));
    bool allFound = true;
    m_addBtn = MakeButton("m_addBtn", DetailsImage("btn_add.png"), &allFound);
    m_deleteBtn = MakeButton("m_deleteBtn", DetailsImage("btn_delete.png"), &allFound);
    m_refreshBtn = MakeButton("m_refreshBtn", DetailsImage("btn_refresh.png"), &allFound);
    m_customFirstBtn = MakeButton("m_customFirstBtn", QString(), &allFound);
    m_customSecondBtn = MakeButton("m_customSecondBtn", QString(), &allFound);
    m_thumbBtn = MakeButton("m_thumbBtn", DetailsImage("btn_Thumbnail.png"), &allFound);
    m_listBtn = MakeButton("m_listBtn", DetailsImage("btn_list.png"), &allFound);
    m_customFirstBtn->hide();
    m_customSecondBtn->hide();
    // Nothing to switch to until a view hands over its content widgets.
    m_thumbBtn->setEnabled(false);
    m_listBtn->setEnabled(false);
    m_searchWidget = new QSearchWidget(this);
    m_searchWidget->setObjectName(QStringLiteral("m_searchWidget"));
    if (!m_background.load(DetailsImage("opetate_panel_bg_strip.png")))
        allFound = false;
    if (!allFound)
        // Told once the event loop runs: a modal message here would run device events (a removal
        // among them) while the view that owns this widget is still being built.
        QTimer::singleShot(0, this, [this] {
            ShowMessage(tr("QOperatePanel::InitControls can't find btn image, please reinstall software"));
        });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->setSpacing(6);
    for (QWidget* w : {m_addBtn, m_deleteBtn, m_refreshBtn, m_customFirstBtn, m_customSecondBtn})
        layout->addWidget(w);
    layout->addStretch(1);
    layout->addWidget(m_searchWidget);
    layout->addSpacing(10);
    layout->addWidget(m_thumbBtn);
    layout->addWidget(m_listBtn);
    if (!m_background.isNull())
        setFixedHeight(m_background.height());

    connect(m_addBtn, &QImageButton::clicked, this, &QOperatePanel::addOperate);
    connect(m_deleteBtn, &QImageButton::clicked, this, &QOperatePanel::deleteOperate);
    connect(m_refreshBtn, &QImageButton::clicked, this, &QOperatePanel::refreshOperate);
    connect(m_thumbBtn, &QImageButton::clicked, this, &QOperatePanel::thumbOperate);
    connect(m_listBtn, &QImageButton::clicked, this, &QOperatePanel::listOperate);
    connect(m_customFirstBtn, &QImageButton::clicked, this, &QOperatePanel::customFirst);
    connect(m_customSecondBtn, &QImageButton::clicked, this, &QOperatePanel::customSecond);
    connect(m_searchWidget, &QSearchWidget::searchText, this, &QOperatePanel::searchOperate);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QOperatePanel::OnLanguageChanged);
    OnLanguageChanged();
}

void QOperatePanel::OnLanguageChanged() {
    m_addBtn->setAccessibleName(tr("Add"));
    m_deleteBtn->setAccessibleName(tr("Delete"));
    m_refreshBtn->setAccessibleName(tr("Refresh"));
    m_thumbBtn->setAccessibleName(tr("Thumbnails"));
    m_listBtn->setAccessibleName(tr("List"));
}

void QOperatePanel::EnableThumbBtn(bool enable) {
    m_thumbBtn->setEnabled(enable);
}

void QOperatePanel::EnableListBtn(bool enable) {
    m_listBtn->setEnabled(enable);
}

bool QOperatePanel::IsThumbBtnEnabled() const {
    return m_thumbBtn->isEnabled();
}

bool QOperatePanel::IsListBtnEnabled() const {
    return m_listBtn->isEnabled();
}

void QOperatePanel::SelectThumb() {
    m_thumbBtn->SetImages(DetailsImage("btn_Thumbnail_select.png"));
    m_listBtn->SetImages(DetailsImage("btn_list.png"));
}

void QOperatePanel::SelectList() {
    m_thumbBtn->SetImages(DetailsImage("btn_Thumbnail.png"));
    m_listBtn->SetImages(DetailsImage("btn_list_select.png"));
}

bool QOperatePanel::SetCustom(QImageButton* button, const QString& imagePath) {
    if (!button->SetImages(imagePath)) {
        // Told once the event loop runs, like every message of the widget kit: a modal message inside
        // a setter would run device events (a removal among them) under its caller's feet.
        QTimer::singleShot(0, this, [] {
            ShowMessage(tr("QOperatePanel::setCustomFirst can't find btn image, please reinstall software"));
        });
        return false;
    }
    button->show();
    return true;
}

bool QOperatePanel::setCustomFirst(const QString& imagePath) {
    return SetCustom(m_customFirstBtn, imagePath);
}

bool QOperatePanel::setCustomSecond(const QString& imagePath) {
    return SetCustom(m_customSecondBtn, imagePath);
}

void QOperatePanel::paintEvent(QPaintEvent* event) {
    if (m_background.isNull()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_background);
}
