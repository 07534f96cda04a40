#include "QSearchWidget.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"

QSearchWidget::QSearchWidget(QWidget* parent)
    : QWidget(parent) {
    InitControls();
}

void QSearchWidget::InitControls() {
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("m_lineEdit"));
    m_edit->setFrame(false);
    m_edit->setStyleSheet(QStringLiteral("QLineEdit{background:transparent;}"));
    m_btnSearch = new QImageButton(this);
    m_btnSearch->setObjectName(QStringLiteral("m_btnSearch"));
    m_btnSearch->setCursor(Qt::PointingHandCursor);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_btnSearch);

    const bool haveBackground =
        m_background.load(ResourceRoot() + QStringLiteral("/image/details/search_bg.png"));
    const bool haveButton =
        m_btnSearch->SetImages(ResourceRoot() + QStringLiteral("/image/details/btn_search.png"));
    if (!haveBackground || !haveButton)
        // Told once the event loop runs: a modal message here would run device events (a removal
        // among them) while the view that owns this widget is still being built.
        QTimer::singleShot(0, this, [this] {
            ShowMessage(tr("QSearchWidget::InitControls can't find btn image, please reinstall software"));
        });
    if (haveBackground)
        setFixedSize(m_background.size());

    m_typingPause.setSingleShot(true);
    m_typingPause.setInterval(kTypingPauseMs);
    connect(&m_typingPause, &QTimer::timeout, this, &QSearchWidget::onSearch);
    connect(m_edit, &QLineEdit::textChanged, &m_typingPause, qOverload<>(&QTimer::start));
    connect(m_btnSearch, &QImageButton::clicked, this, &QSearchWidget::onSearch);
    connect(m_edit, &QLineEdit::returnPressed, this, &QSearchWidget::onSearch);
}

QString QSearchWidget::Text() const {
    return m_edit->text();
}

void QSearchWidget::SetText(const QString& text) {
    m_edit->setText(text);
}

void QSearchWidget::onSearch() {
    m_typingPause.stop();
    emit searchText(m_edit->text());
}

void QSearchWidget::paintEvent(QPaintEvent* event) {
    if (m_background.isNull()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_background);
}
