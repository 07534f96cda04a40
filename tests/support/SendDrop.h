#pragma once

class QMimeData;
class QWidget;

// Drags `data` over `target` and drops it there, as the window system delivers a drop: the drag must
// enter first, or Qt hands the drop to no one. True when the drop was accepted.
bool SendDrop(QWidget* target, const QMimeData* data);
