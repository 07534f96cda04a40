#pragma once

#include <string>
#include <vector>

#include "QUtilThread.h"

class IInvokeProcessCallback;

// Runs one child process (RunRedirected) on a worker thread; the callback hears it there.
class CProcessThread : public QUtilThread {
public:
    CProcessThread(std::vector<std::string> arguments, IInvokeProcessCallback* callback);
    // Kills a child that is still running and waits for the thread.
    ~CProcessThread() override;

    // Waits for the run to end while the calling thread's events keep flowing.
    void Wait() { WaitForThread(); }
    // What RunRedirected answered; meaningful once Wait() returned.
    bool Succeeded() const { return m_succeeded; }

protected:
    void Run() override;

private:
    std::vector<std::string> m_arguments;
    IInvokeProcessCallback* m_callback;
    bool m_succeeded = false;
};
