#include "PhotoExportDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "QFileFolderExport.h"

namespace {

constexpr const char* kConvertKey = "photos/exportHeicAsJpeg";

QSettings UserSettings() {
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/vexa-transfer/settings.ini"),
                     QSettings::IniFormat);
}

} // namespace

PhotoExportDialog::PhotoExportDialog(QWidget* parent)
    : QDialog(parent)
    , m_folder(new QLineEdit(this))
    , m_browse(new QPushButton(this))
    , m_convert(new QCheckBox(this))
    , m_ok(new QPushButton(this))
    , m_cancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("PhotoExportDialog"));
    m_folder->setObjectName(QStringLiteral("m_exportFolder"));
    m_convert->setObjectName(QStringLiteral("m_convertHeic"));
    m_folder->setText(QDir::toNativeSeparators(QFileFolderExport::StartFolder()));
    m_folder->setMinimumWidth(360);
    m_convert->setChecked(ConvertHeicSetting());
    m_ok->setDefault(true);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(m_convert);
    layout->addLayout(buttons);

    connect(m_browse, &QPushButton::clicked, this, &PhotoExportDialog::Browse);
    connect(m_ok, &QPushButton::clicked, this, &PhotoExportDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &PhotoExportDialog::reject);
    connect(m_folder, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });
    Retranslate();
}

QString PhotoExportDialog::Folder() const {
    return QDir::fromNativeSeparators(m_folder->text().trimmed());
}

bool PhotoExportDialog::ConvertHeic() const {
    return m_convert->isChecked();
}

bool PhotoExportDialog::ConvertHeicSetting() {
    return UserSettings().value(QLatin1String(kConvertKey), false).toBool();
}

void PhotoExportDialog::SetConvertHeicSetting(bool convert) {
    QSettings settings = UserSettings();
    settings.setValue(QLatin1String(kConvertKey), convert);
}

void PhotoExportDialog::accept() {
    if (Folder().isEmpty()) {
        return;
    }
    SetConvertHeicSetting(ConvertHeic());
    QFileFolderExport::RememberFolder(Folder());
    QDialog::accept();
}

void PhotoExportDialog::Browse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, tr("Save File"), Folder(), QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!chosen.isEmpty()) {
        m_folder->setText(QDir::toNativeSeparators(chosen));
    }
}

void PhotoExportDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QDialog::changeEvent(event);
}

void PhotoExportDialog::Retranslate() {
    setWindowTitle(tr("Export photos"));
    m_browse->setText(tr("Browse..."));
    m_convert->setText(tr("Convert HEIC to JPEG"));
    m_convert->setToolTip(tr("Pictures in the HEIC format are saved as JPEG files that any program opens. "
                             "Other files are copied as they are."));
    m_ok->setText(tr("Export"));
    m_cancel->setText(tr("Cancel"));
}
