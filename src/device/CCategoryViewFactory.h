#pragma once

#include <functional>
#include <vector>

#include <QPointer>
#include <QWidget>

class ICategoryTree;
class IVexaManager;

// Builds the category views of one device for the navigation tree. Each category is one entry of a
// table in the .cpp: how its view and its separate loader (if any) are made, and which of their signals
// reach the tree. A new category adds its entry there and nothing to the navigation widget.
class CCategoryViewFactory {
public:
    // One tree node's binding: the node of `kind` shows `view` and, where there is one, is filled by
    // `loader`. Guarded pointers: a modal message during construction may let the device go.
    struct Binding {
        int kind = -1;
        QPointer<QWidget> view;
        QPointer<QObject> loader;
        // Set for a loader that runs as soon as the device is shown rather than on the node's first
        // press; called once the node is bound.
        std::function<void()> startAtOnce;
    };

    struct Context {
        IVexaManager* manager = nullptr;
        int deviceHandle = 0;
        // Parent of the views; the views' news reach `tree` for as long as it lives.
        QWidget* parent = nullptr;
        ICategoryTree* tree = nullptr;
    };

    // Every category's views, hidden, in table order. The caller owns them (they are children of
    // context.parent) and binds them to the nodes.
    static std::vector<Binding> CreateAll(const Context& context);
};
