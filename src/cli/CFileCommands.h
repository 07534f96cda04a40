#pragma once

#include <QCoreApplication>
#include <QList>

struct CCliCommand;
class CCliContext;

// ls, pull and push: the device's file system, browsed and copied as the file browser does it.
class CFileCommands {
    Q_DECLARE_TR_FUNCTIONS(CFileCommands)
public:
    static void Add(QList<CCliCommand>& commands);

private:
    static int List(CCliContext& context);
    static int Pull(CCliContext& context);
    static int Push(CCliContext& context);
};
