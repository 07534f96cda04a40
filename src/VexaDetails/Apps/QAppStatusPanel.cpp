#include "QAppStatusPanel.h"

#include <QHBoxLayout>

#include "LanguageService.h"
#include "QImageButton.h"

QAppStatusPanel::QAppStatusPanel(QWidget* parent)
    : QTableStatusPanel(parent) {
    connect(
        AddButton("m_btnUninstall", "/image/details/btn_app_unstall.png", tr("Uninstall"), tr("Uninstall")),
        &QImageButton::clicked, this, &QAppStatusPanel::UnstallApp);
    connect(AddButton("m_btnBackup", "/image/details/btn_app_backup.png", tr("Backup"), tr("Backup")),
            &QImageButton::clicked, this, &QAppStatusPanel::BackupApp);
    connect(
        AddButton("m_btnDocument", "/image/details/btn_app_document.png", tr("Documents"), tr("Documents")),
        &QImageButton::clicked, this, &QAppStatusPanel::SaveDocApp);
}

void QAppStatusPanel::SetHighlighted(bool highlighted) {
    if (highlighted) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(212, 240, 247));
        setPalette(colours);
    }
    setAutoFillBackground(highlighted);
    update();
}

QImageButton* QAppStatusPanel::AddButton(const char* objectName, const char* image, const QString& fallback,
                                         const QString& tip) {
    auto* button = new QImageButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(tip);
    // Without its image a button falls back to its word, so it stays usable.
    if (!button->SetImages(ResourceRoot() + QString::fromLatin1(image)))
        button->setText(fallback);
    ButtonLayout()->addWidget(button);
    return button;
}
