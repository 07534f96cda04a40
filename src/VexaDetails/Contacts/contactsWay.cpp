#include "contactsWay.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>

#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"

contactsWay::contactsWay(Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_comboLabel(new QComboBox(this))
    , m_lineEdit(new QLineEdit(this))
    , m_btnAdd(new QImageButton(this))
    , m_btnMinus(new QImageButton(this)) {
    m_comboLabel->setObjectName(QStringLiteral("m_comboLabel"));
    m_lineEdit->setObjectName(QStringLiteral("m_lineEdit"));
    m_btnAdd->setObjectName(QStringLiteral("m_btnAdd"));
    m_btnMinus->setObjectName(QStringLiteral("m_btnMinus"));
    m_comboLabel->setMinimumWidth(100);
    for (const QString& label : Labels())
        m_comboLabel->addItem(label, label);
    // Without their images the buttons still work, drawn as plain buttons.
    if (!m_btnAdd->SetImages(ResourceRoot() + QStringLiteral("/image/add_contact/add_btn.png")))
        m_btnAdd->setText(QStringLiteral("+"));
    if (!m_btnMinus->SetImages(ResourceRoot() + QStringLiteral("/image/add_contact/delete_btn.png")))
        m_btnMinus->setText(QStringLiteral("-"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_comboLabel);
    layout->addWidget(m_lineEdit, 1);
    layout->addWidget(m_btnAdd);
    layout->addWidget(m_btnMinus);

    connect(m_btnAdd, &QImageButton::clicked, this, &contactsWay::signalAdd);
    connect(m_btnMinus, &QImageButton::clicked, this, &contactsWay::signalMinus);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &contactsWay::OnLanguageChanged);
    OnLanguageChanged();
}

QStringList contactsWay::Labels() {
    return {QStringLiteral("home"),     QStringLiteral("mobile"),   QStringLiteral("work"),
            QStringLiteral("work fax"), QStringLiteral("home fax"), QStringLiteral("other fax"),
            QStringLiteral("page"),     QStringLiteral("other")};
}

QString contactsWay::Label() const {
    return m_comboLabel->currentData().toString();
}

QString contactsWay::Value() const {
    return m_lineEdit->text().trimmed();
}

void contactsWay::SetEntry(const QString& label, const QString& value) {
    int at = m_comboLabel->findData(label);
    if (at < 0) {
        m_comboLabel->addItem(label, label);
        at = m_comboLabel->count() - 1;
    }
    m_comboLabel->setCurrentIndex(at);
    m_lineEdit->setText(value);
}

void contactsWay::Clear() {
    m_comboLabel->setCurrentIndex(0);
    m_lineEdit->clear();
}

void contactsWay::OnLanguageChanged() {
    const QString shown[] = {tr("home"),     tr("mobile"),    tr("work"), tr("work fax"),
                             tr("home fax"), tr("other fax"), tr("page"), tr("other")};
    for (int i = 0; i < m_comboLabel->count() && i < int(std::size(shown)); ++i)
        m_comboLabel->setItemText(i, shown[i]);
    m_lineEdit->setPlaceholderText(m_kind == PhoneKind ? tr("phone number") : tr("email number"));
    m_btnAdd->setToolTip(tr("Add a field"));
    m_btnMinus->setToolTip(tr("Remove this field"));
}
