#pragma once

#include <Qt>

class QDropFileMimeData;
class QWidget;

// Starts the drag of device entries out of a view. The drop target receives the drag list's local
// paths; the data's callback fills them when the target asks for them.
class CFileDrag {
public:
    // Takes `data`. With no data nothing starts and Qt::IgnoreAction is returned. Runs the drag loop
    // (which keeps the GUI thread's events flowing) and answers the action the target chose.
    static Qt::DropAction Start(QWidget* source, QDropFileMimeData* data);
};
