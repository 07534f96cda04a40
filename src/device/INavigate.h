#pragma once

// The pages the right side of the main window shows.
enum NavigatePage : int {
    PAGE_WAITING = 0,
    PAGE_INITIALISING = 1,
    PAGE_CONNECT_FAILED = 2,
    PAGE_DEVICE = 3,
};

class INavigate {
public:
    virtual ~INavigate() = default;
    virtual void ShowPage(int page, int deviceHandle) = 0;
};
