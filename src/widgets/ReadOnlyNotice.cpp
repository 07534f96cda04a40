#include "ReadOnlyNotice.h"

#include <QEvent>

#include <vexa/VexaServices.h>

ReadOnlyNotice::ReadOnlyNotice(Content content, QWidget* parent)
    : QLabel(parent)
    , m_content(content) {
    setObjectName(QStringLiteral("readOnlyNotice"));
    setWordWrap(true);
    setContentsMargins(8, 4, 8, 4);
    setStyleSheet(QStringLiteral("QLabel{color:rgb(0,55,100);background:rgb(255,248,214);}"));
    hide();
}

bool ReadOnlyNotice::IsReadOnly() const {
    return m_access != kContentWritable;
}

void ReadOnlyNotice::SetAccess(int access) {
    m_access = access;
    Retranslate();
    setVisible(IsReadOnly());
}

void ReadOnlyNotice::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QLabel::changeEvent(event);
}

void ReadOnlyNotice::Retranslate() {
    if (m_access == kContentReadOnlyBackup) {
        setText(tr("This is a backup: its content can be viewed and exported, but not changed."));
        return;
    }
    if (m_access != kContentReadOnlyOnPhone) {
        clear();
        return;
    }
    switch (m_content) {
    case Photos:
        setText(tr("Photos can be copied off the device here, and added on the phone itself."));
        break;
    case Music:
    case Videos:
    case Playlists:
        setText(tr("Songs and videos can be copied off the device here. Adding or deleting them needs the "
                   "phone's own sync, which this program does not offer."));
        break;
    case Books:
        setText(tr("Books can be copied off the device here, and added on the phone itself."));
        break;
    case Contacts:
    case Messages:
    case Calls:
        setText(tr("Read from a copy of the device's data. Changes are made on the phone itself."));
        break;
    }
}
