#pragma once

#include <QList>

class QLayout;
class QObject;
class TreeNode;

// Takes a removed device's views and loaders off its tree nodes and disposes of them.
class CViewTeardown {
public:
    // Unbinds every node under `deviceNode` (the device node included) and returns what was bound, in
    // the order it must go: loaders first, as they report into the views, and the system view last.
    // Queued refreshes for the device that still arrive then find nothing to update.
    static QList<QObject*> Unbind(TreeNode* deviceNode);

    // For a removal that may arrive inside a modal dialog's event loop that one of these objects opened,
    // or with a timer or queued call of theirs pending: each is halted now (its job joined, nothing new
    // started, a running batch action stopped), taken out of `layout` and off the screen, cut off from
    // `receiver`, and deleted by the event loop, which also drops whatever still points at it.
    static void DisposeLater(const QList<QObject*>& objects, QLayout* layout, const QObject* receiver);

    // Ends the job of each of `objects` that runs one, for good, and drops the queued calls still
    // waiting for any of them. Each wait lets events through, so an object the event loop deletes
    // meanwhile is skipped.
    static void HaltAll(const QList<QObject*>& objects);
};
