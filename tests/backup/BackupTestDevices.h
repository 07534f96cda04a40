#pragma once

#include <map>
#include <string>
#include <vector>

#include <QList>
#include <QMap>
#include <QString>

#include "IDeviceDirectory.h"

// Simulated devices for the backup tests, bound to managers the way the detector binds them, and the
// directory the windows get them from.
class BackupTestDevices : public IDeviceDirectory {
public:
    BackupTestDevices();
    ~BackupTestDevices() override;

    // Makes a device (the demo content, or an empty one), waits for it to arrive and binds a manager.
    IVexaManager* Add(const std::string& udid, const QString& name, bool demoContent);
    // Plugs the device in again after an unplug and binds a fresh manager.
    IVexaManager* Replug(const std::string& udid);
    IVexaManager* Manager(const std::string& udid) const;
    QString Folder(const std::string& udid) const;
    int Ctl(const std::string& command, const std::vector<std::string>& arguments) const;
    void Clear();

    // A backup opened as a device (OpenBackupDevice), listed as the tree lists an open backup and
    // released with the devices.
    void AddBackup(IVexaManager* manager);

    QList<CConnectedDevice> ConnectedDevices() const override;
    QList<CConnectedDevice> OpenBackups() const override;
    bool IsConnected(IVexaManager* manager) const override;

    // The device's state as checksums: every file below Media/ and Applications/, and its contacts.
    static QMap<QString, QByteArray> Snapshot(IVexaManager* manager, const QString& folder);

private:
    IVexaManager* Bind(const std::string& udid);
    IVexaManager* TryBind(const std::string& udid);
    std::string m_root;
    std::map<std::string, IVexaManager*> m_managers;
    std::vector<std::string> m_order;
    std::vector<IVexaManager*> m_backups;
};
