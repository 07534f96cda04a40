#include "RetractLabel.h"

#include <algorithm>

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStackedLayout>

RetractLabel::RetractLabel(QWidget* parent)
    : QWidget(parent)
    , m_label(new QLabel(this))
    , m_edit(new QLineEdit(this)) {
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setStyleSheet(QStringLiteral("color:rgb(66,127,142);"));
    m_label->setTextFormat(Qt::PlainText);
    m_edit->setObjectName(QStringLiteral("m_nameEdit"));
    m_edit->setMaxLength(kMaxNameLength);
    m_edit->installEventFilter(this);
    auto* layout = new QStackedLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    connect(m_edit, &QLineEdit::textEdited, this, &RetractLabel::NameChange);
    connect(m_edit, &QLineEdit::editingFinished, this, &RetractLabel::RenameOK);
}

bool RetractLabel::HasForbiddenCharacter(const QString& text) {
    static const QString kForbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar c : text) {
        if (kForbidden.contains(c)) {
            return true;
        }
    }
    return false;
}

void RetractLabel::SetText(const QString& shown, const QString& name) {
    m_label->setText(m_label->fontMetrics().elidedText(shown, Qt::ElideMiddle, std::max(40, width())));
    m_label->setToolTip(shown);
    m_name = name;
}

void RetractLabel::StartEdit() {
    m_previous = m_name;
    m_newName.clear();
    {
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(m_name);
    }
    static_cast<QStackedLayout*>(layout())->setCurrentWidget(m_edit);
    m_edit->setFocus();
    m_edit->selectAll();
}

bool RetractLabel::IsEditing() const {
    return static_cast<QStackedLayout*>(layout())->currentWidget() == m_edit;
}

void RetractLabel::NameChange(QString text) {
    if (HasForbiddenCharacter(text)) {
        const int cursor =
            std::max(0, m_edit->cursorPosition() - static_cast<int>(text.size() - m_previous.size()));
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(m_previous);
        m_edit->setCursorPosition(std::min(cursor, static_cast<int>(m_previous.size())));
        return;
    }
    m_previous = text;
}

void RetractLabel::RenameOK() {
    if (!IsEditing()) {
        return;
    }
    const QString typed = m_edit->text().trimmed();
    EndEdit();
    // An empty name, or the name it already has, changes nothing.
    if (typed.isEmpty() || typed == m_name || HasForbiddenCharacter(typed)) {
        return;
    }
    m_newName = typed;
    emit emitChangeName();
}

void RetractLabel::EndEdit() {
    static_cast<QStackedLayout*>(layout())->setCurrentWidget(m_label);
}

bool RetractLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        EndEdit();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
