#include "QContactStatusPanel.h"

#include <QHBoxLayout>

#include "LanguageService.h"
#include "QImageButton.h"

QContactStatusPanel::QContactStatusPanel(QWidget* parent)
    : QTableStatusPanel(parent) {
    m_btnEdit = new QImageButton(this);
    m_btnEdit->setObjectName(QStringLiteral("m_btnEdit"));
    m_btnTransfer = new QImageButton(this);
    m_btnTransfer->setObjectName(QStringLiteral("m_btnTransfer"));
    // Without their images the buttons fall back to text, so they stay usable.
    if (!m_btnEdit->SetImages(ResourceRoot() + QStringLiteral("/image/status/btn_edit.png")))
        m_btnEdit->setText(tr("Edit"));
    if (!m_btnTransfer->SetImages(ResourceRoot() + QStringLiteral("/image/status/btn_transfer.png")))
        m_btnTransfer->setText(tr("Transfer"));
    ButtonLayout()->addWidget(m_btnEdit);
    ButtonLayout()->addWidget(m_btnTransfer);
    connect(m_btnEdit, &QImageButton::clicked, this, &QContactStatusPanel::ClickEdit);
    connect(m_btnTransfer, &QImageButton::clicked, this, &QContactStatusPanel::ClickTransfer);
}
