#pragma once

#include <QStringList>

class QDropEvent;
class QMimeData;

// Files dropped on a view from the computer. Drags out of the device are not taken back in.
class CUrlDrop {
public:
    // The local files and folders of a drop; empty for drags that carry none or come from a device.
    static QStringList LocalPaths(const QMimeData* data);
    // Accepts the event as a copy when it carries local files; false (ignored) otherwise.
    static bool AcceptCopy(QDropEvent* event);
    // The local paths of a drop, accepting it as a copy; an event that brings none is ignored.
    static QStringList TakeLocalPaths(QDropEvent* event);
};
