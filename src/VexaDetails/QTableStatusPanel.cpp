#include "QTableStatusPanel.h"

#include <QHBoxLayout>
#include <QLabel>

QTableStatusPanel::QTableStatusPanel(QWidget* parent)
    : QWidget(parent) {
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("m_statusText"));
    m_buttons = new QHBoxLayout;
    m_buttons->setSpacing(6);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 2, 10, 2);
    layout->addWidget(m_text, 1);
    layout->addLayout(m_buttons);
}

void QTableStatusPanel::SetText(const QString& text) {
    m_text->setText(text);
}

QString QTableStatusPanel::Text() const {
    return m_text->text();
}
