#pragma once

// Offered by an app library that can tell how far an install has come (a device that reports its
// progress); a caller asks the library for it with dynamic_cast and otherwise shows its own estimate.
class IInstallProgress {
public:
    virtual ~IInstallProgress() = default;
    // 0 to 100 while InstallApp runs, read from another thread; -1 when no install is under way.
    virtual int GetInstallProgress() const = 0;
};
