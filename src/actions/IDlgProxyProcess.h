#pragma once

// A progress dialog's handle on the job it shows. The dialog starts the job when it is first shown
// and tells it which button closed the dialog.
class IDlgProxyProcess {
public:
    virtual bool StartProcess() = 0;
    virtual bool OnCancel() { return true; }
    virtual bool OnClose() { return true; }
    virtual bool OnOk() { return true; }

protected:
    ~IDlgProxyProcess() = default;
};
