#pragma once

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include "CCliCommand.h"

// The program `vexa`: picks the command from the command line, parses its options, and runs it.
// Answers the exit status (CliExit).
class CCliProgram {
    Q_DECLARE_TR_FUNCTIONS(CCliProgram)
public:
    CCliProgram();

    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    int Run(const QStringList& arguments);

    // Loads the translation of the locale's language from the program's Language folder.
    static void LoadTranslation();

    const QList<CCliCommand>& Commands() const { return m_commands; }

private:
    const CCliCommand* Find(const QString& name) const;
    void PrintHelp() const;
    static void PrintCommandHelp(const CCliCommand& command, const QList<QCommandLineOption>& options);
    static QList<QCommandLineOption> OptionsOf(const CCliCommand& command);

    QList<CCliCommand> m_commands;
};
