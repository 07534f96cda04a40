#pragma once

#include <QCoreApplication>
#include <QList>

struct CCliCommand;
class CCliContext;

// apps, install and uninstall: the installed apps of a device, and adding or removing one.
class CAppCommands {
    Q_DECLARE_TR_FUNCTIONS(CAppCommands)
public:
    static void Add(QList<CCliCommand>& commands);

private:
    static int Apps(CCliContext& context);
    static int Install(CCliContext& context);
    static int Uninstall(CCliContext& context);
};
