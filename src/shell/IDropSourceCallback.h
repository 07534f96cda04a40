#pragma once

// What a view that drags device entries out does when the drop target asks for the files. Called on
// the GUI thread; every local path of the drag list must exist when it returns. False when something
// could not be copied (the target still gets whatever did arrive).
class IDropSourceCallback {
public:
    virtual ~IDropSourceCallback() = default;
    virtual bool OnDrop() = 0;
};
