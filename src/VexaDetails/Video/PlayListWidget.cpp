#include "PlayListWidget.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "PlayerVideobar.h"
#include "WidgetColors.h"

namespace {
constexpr int kSourceRole = Qt::UserRole;
constexpr int kDeviceRole = Qt::UserRole + 1;
constexpr int kTitleRole = Qt::UserRole + 2;
} // namespace

PlayListWidget::PlayListWidget(QWidget* parent)
    : QListWidget(parent)
    , m_actionPlay(new QAction(this))
    , m_actionDelete(new QAction(this))
    , m_actionDeleteAll(new QAction(this)) {
    setObjectName(QStringLiteral("PlayListWidget"));
    connect(m_actionPlay, &QAction::triggered, this, [this] {
        if (currentRow() >= 0)
            emit emitPlayVideo(Source(currentRow()));
    });
    connect(m_actionDelete, &QAction::triggered, this, [this] {
        delete takeItem(currentRow());
        emit emitDeleteVideo();
    });
    connect(m_actionDeleteAll, &QAction::triggered, this, [this] {
        clear();
        emit emitDeleteVideo();
    });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit emitPlayVideo(item->data(kSourceRole).toString()); });
    OnLanguageChanged();
}

int PlayListWidget::AddEntry(const QString& title, const QString& source, bool onDevice) {
    for (int row = 0; row < count(); ++row)
        if (Source(row) == source && IsOnDevice(row) == onDevice)
            return row;
    auto* item = new QListWidgetItem(this);
    item->setData(kSourceRole, source);
    item->setData(kDeviceRole, onDevice);
    item->setData(kTitleRole, title);
    auto* bar = new PlayerVideobar(title);
    item->setSizeHint(bar->sizeHint());
    setItemWidget(item, bar);
    return count() - 1;
}

QString PlayListWidget::Source(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(kSourceRole).toString() : QString();
}

QString PlayListWidget::Title(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(kTitleRole).toString() : QString();
}

bool PlayListWidget::IsOnDevice(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry && entry->data(kDeviceRole).toBool();
}

PlayerVideobar* PlayListWidget::Bar(int row) const {
    return qobject_cast<PlayerVideobar*>(itemWidget(item(row)));
}

void PlayListWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setStyleSheet(QString::fromLatin1(WidgetColors::kMenuStyleSheet));
    const bool onItem = itemAt(event->pos()) != nullptr;
    m_actionPlay->setEnabled(onItem);
    m_actionDelete->setEnabled(onItem);
    m_actionDeleteAll->setEnabled(count() > 0);
    menu.addActions({m_actionPlay, m_actionDelete, m_actionDeleteAll});
    menu.exec(event->globalPos());
}

void PlayListWidget::OnLanguageChanged() {
    m_actionPlay->setText(tr("Play"));
    m_actionDelete->setText(tr("Delete"));
    m_actionDeleteAll->setText(tr("Delete All"));
}
