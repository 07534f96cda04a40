#pragma once

#include <QCoreApplication>
#include <QList>

struct CCliCommand;
class CCliContext;

// devices, info and rename: which devices are plugged in, what the information page shows of one,
// and its new name.
class CDeviceCommands {
    Q_DECLARE_TR_FUNCTIONS(CDeviceCommands)
public:
    static void Add(QList<CCliCommand>& commands);

private:
    static int Devices(CCliContext& context);
    static int Info(CCliContext& context);
    static int Rename(CCliContext& context);
};
