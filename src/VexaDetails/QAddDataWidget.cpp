#include "QAddDataWidget.h"

#include <QTimer>

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"

QAddDataWidget::QAddDataWidget(QWidget* parent)
    : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("m_label"));
    m_label->setAlignment(Qt::AlignCenter);
    m_btnAdd = new QImageButton(this);
    m_btnAdd->setObjectName(QStringLiteral("m_btnAdd"));
    m_btnAdd->setCursor(Qt::PointingHandCursor);
    // Without its image it would be a blank grey box; SetImages shows it.
    m_btnAdd->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(m_label, 0, Qt::AlignHCenter);
    layout->addSpacing(20);
    layout->addWidget(m_btnAdd, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    connect(m_btnAdd, &QImageButton::clicked, this, &QAddDataWidget::clickAdd);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QAddDataWidget::OnLanguageChanged);
}

void QAddDataWidget::OnLanguageChanged() {
    const QString root = ResourceRoot() + QLatin1Char('/');
    if (m_labelImageRoot.isEmpty() || m_labelImageRoot == root)
        return;
    // A language folder that lacks the picture keeps the one shown.
    const QPixmap picture(root + m_labelImageName);
    if (picture.isNull())
        return;
    m_label->setPixmap(picture);
    m_labelImageRoot = root;
}

bool QAddDataWidget::setLabelImage(const QString& imagePath) {
    const QPixmap picture(imagePath);
    if (picture.isNull()) {
        // Told once the event loop runs: a modal message here would run device events (a removal among
        // them) while the view that set the picture is still on the stack.
        const QString message =
            tr("QAddDataWidget::setLabelImage, this image name is invalid %1, please re-install!")
                .arg(imagePath);
        QTimer::singleShot(0, this, [message] { ShowMessage(message); });
        return false;
    }
    m_label->setPixmap(picture);
    m_hasPicture = true;
    const QString root = ResourceRoot() + QLatin1Char('/');
    const bool inLanguage = imagePath.startsWith(root);
    m_labelImageRoot = inLanguage ? root : QString();
    m_labelImageName = inLanguage ? imagePath.mid(root.size()) : QString();
    return true;
}

bool QAddDataWidget::setAddButtonImage(const QString& imagePath) {
    const bool loaded = m_btnAdd->SetImages(imagePath);
    m_btnAdd->setVisible(loaded);
    return loaded;
}

void QAddDataWidget::SetEmptyText(const QString& text) {
    if (!m_hasPicture)
        m_label->setText(text);
}
