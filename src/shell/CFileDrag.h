#pragma once

#include <Qt>

class CDropFileList;
class IDropSourceCallback;
class QObject;
class QWidget;

// Starts the drag of device entries out of a view. The drop target receives the drag list's local
// paths; the callback fills them when the target asks for them.
class CFileDrag {
public:
    // With an empty list nothing starts and Qt::IgnoreAction is returned. Runs the drag loop (which
    // keeps the GUI thread's events flowing) and answers the action the target chose.
    static Qt::DropAction Start(QWidget* source, const CDropFileList& list, IDropSourceCallback* callback,
                                QObject* callbackOwner);
};
