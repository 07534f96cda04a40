#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include <QObject>
#include <QString>

#include "QUtilThread.h"

// Copies a device video to the local preview file on a worker, so that the player window stays
// responsive and may be closed meanwhile. The result comes back as a queued signal.
class CPlayerFileCopy : public QObject, public QUtilThread {
    Q_OBJECT
public:
    explicit CPlayerFileCopy(QObject* parent = nullptr);
    ~CPlayerFileCopy() override;

    // Starts copying `devicePath` of the device; `ticket` comes back with the result.
    bool Copy(int deviceHandle, const std::string& devicePath, int ticket);

signals:
    // `localPath` is empty when the device did not give the file.
    void copied(int ticket, const QString& localPath);

protected:
    void Run() override;

private:
    std::mutex m_lock;
    int m_deviceHandle = -1;
    std::string m_devicePath;
    int m_ticket = 0;
};
