#pragma once

class IObsever;

// An action that reports to any number of observers. Observers are attached and detached on the
// widget thread, before the job starts and after it ended.
class ISubjectAction {
public:
    virtual void Attach(IObsever* observer) = 0;
    // False when `observer` is not attached; nothing changes then.
    virtual bool Detach(IObsever* observer) = 0;
    virtual void DetachAll() = 0;

protected:
    ~ISubjectAction() = default;
};
