#include "CViewTeardown.h"

#include <functional>

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QWidget>

#include "CActionStrategyDlg.h"
#include "DeviceSubItem.h"
#include "QUtilThread.h"
#include "TreeNode.h"

QList<QObject*> CViewTeardown::Unbind(TreeNode* deviceNode) {
    QList<QObject*> doomed;
    QObject* systemView = nullptr;
    std::function<void(TreeNode*)> collect = [&](TreeNode* node) {
        const TreeViewBinding binding = node->Binding();
        node->SetBinding({});
        if (binding.loader && !doomed.contains(binding.loader))
            doomed.prepend(binding.loader);
        if (node->Kind() == SUB_ITEM_SYSTEM)
            systemView = binding.view;
        else if (binding.view && !doomed.contains(binding.view))
            doomed.append(binding.view);
        for (TreeNode* child : node->Children())
            collect(child);
    };
    collect(deviceNode);
    if (systemView && !doomed.contains(systemView))
        doomed.append(systemView);
    return doomed;
}

void CViewTeardown::DisposeLater(const QList<QObject*>& objects, QLayout* layout, const QObject* receiver) {
    for (QObject* object : objects) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            for (CActionStrategyDlg* batch : widget->findChildren<CActionStrategyDlg*>())
                batch->StopAction();
            widget->hide();
            layout->removeWidget(widget);
        }
        if (auto* job = dynamic_cast<QUtilThread*>(object))
            job->Halt();
        object->disconnect(receiver);
        object->deleteLater();
    }
}

void CViewTeardown::HaltAll(const QList<QObject*>& objects) {
    QList<QPointer<QObject>> guarded(objects.begin(), objects.end());
    for (const QPointer<QObject>& object : guarded) {
        if (auto* job = object ? dynamic_cast<QUtilThread*>(object.data()) : nullptr)
            job->Halt();
    }
    // What the jobs posted after the last wait ended is dropped with them.
    for (const QPointer<QObject>& object : guarded) {
        if (object)
            QCoreApplication::removePostedEvents(object, QEvent::MetaCall);
    }
}
