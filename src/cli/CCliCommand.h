#pragma once

#include <functional>

#include <QCommandLineOption>
#include <QList>
#include <QString>

class CCliContext;

// One command of the program: its name, how it is called, its options and what it does. The command
// groups (CDeviceCommands, CAppCommands, ...) each add theirs to the program's list.
struct CCliCommand {
    QString name;
    QString synopsis; // what follows "vexa NAME" in the usage line
    QString summary;  // one line, translated
    QList<QCommandLineOption> options;
    int minArguments = 0;
    int maxArguments = 0;
    bool takesDevice = true; // -u UDID
    bool takesJson = false;  // --json
    std::function<int(CCliContext&)> run;
};
