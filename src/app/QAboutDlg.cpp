#include "QAboutDlg.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ImageButtonCaptions.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"

namespace {
const char* const kWebsite = "https://www.quorvane.com/";
} // namespace

QAboutDlg::QAboutDlg(QWidget* parent)
    : QImageDialog(parent)
    , m_labelTitle(new QLabel(this))
    , m_labelVersion(new QLabel(this))
    , m_labelWebsite(new QLabel(this))
    , m_labelNote(new QLabel(this))
    , m_btnOk(new QImageButton(this))
    , m_btnClose(new QImageButton(this)) {
    setObjectName(QStringLiteral("QAboutDlg"));
    m_labelTitle->setObjectName(QStringLiteral("m_labelTitle"));
    m_labelVersion->setObjectName(QStringLiteral("m_labelVersion"));
    m_labelWebsite->setObjectName(QStringLiteral("m_labelWebsite"));
    m_labelNote->setObjectName(QStringLiteral("m_labelNote"));
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));

    m_labelTitle->setStyleSheet(QStringLiteral("color:rgb(0,55,100);font-size:18px;font-weight:bold;"));
    m_labelVersion->setStyleSheet(QStringLiteral("color:rgb(99,165,181);"));
    m_labelWebsite->setTextFormat(Qt::RichText);
    m_labelWebsite->setOpenExternalLinks(true);
    m_labelNote->setWordWrap(true);
    m_labelNote->setStyleSheet(QStringLiteral("color:rgb(110,120,125);font-size:11px;"));

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(m_btnClose);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_btnOk);
    bottom->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 4, 6, 16);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addSpacing(16);
    layout->addWidget(m_labelTitle);
    layout->addWidget(m_labelVersion);
    layout->addWidget(m_labelWebsite);
    layout->addWidget(m_labelNote);
    layout->addStretch(1);
    layout->addLayout(bottom);

    InitImages();
    OnLanguageChanged();
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QAboutDlg::OnLanguageChanged);
}

void QAboutDlg::InitImages() {
    const QString root = ResourceRoot();
    bool found = SetBackgroundImage(root + QStringLiteral("/image/about_bg.png"));
    found = m_btnOk->SetImages(root + QStringLiteral("/image/btn_ok.png")) && found;
    found = m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")) && found;
    if (!HasBackgroundImage())
        setFixedSize(460, 300);
    if (!found)
        qDebug() << "QAboutDlg::InitImages can't find an image under" << root;
}

void QAboutDlg::OnLanguageChanged() {
    setWindowTitle(tr("Vexa Transfer"));
    m_labelTitle->setText(tr("Vexa Transfer"));
    m_labelVersion->setText(tr("Version %1 Date 2015-07-07").arg(QStringLiteral(VEXA_VERSION)));
    m_labelWebsite->setText(QStringLiteral("%1 <a href=\"%2\" style=\"color:rgb(41,128,160);\">%2</a>")
                                .arg(tr("Website:"), QLatin1String(kWebsite)));
    m_labelNote->setText(tr("Copyright (C) 2015 Quorvane. All rights reserved. This program is protected by "
                            "copyright law and international treaties."));
    m_btnOk->setText(tr("OK"));
    m_btnClose->setToolTip(tr("Close"));
    MoveImageButtonCaptions(this);
}
