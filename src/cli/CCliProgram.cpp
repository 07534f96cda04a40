#include "CCliProgram.h"

#include <QCommandLineParser>
#include <QLocale>
#include <QTranslator>

#include "CAppCommands.h"
#include "CBackupCommands.h"
#include "CCliContext.h"
#include "CCliOutput.h"
#include "CDeviceCommands.h"
#include "CExportCommand.h"
#include "CFileCommands.h"
#include "CliExit.h"

CCliProgram::CCliProgram() {
    CDeviceCommands::Add(m_commands);
    CBackupCommands::Add(m_commands);
    CExportCommand::Add(m_commands);
    CAppCommands::Add(m_commands);
    CFileCommands::Add(m_commands);
}

void CCliProgram::LoadTranslation() {
    // The same folders and files as the window's languages.
    const struct {
        QLocale::Language language;
        const char* folder;
        const char* file;
    } languages[] = {{QLocale::German, "German", "vexa_de.qm"}, {QLocale::Chinese, "Chinese", "vexa_zh.qm"}};
    const QLocale::Language wanted = QLocale::system().language();
    for (const auto& language : languages) {
        if (language.language != wanted)
            continue;
        static QTranslator translator;
        const QString path = QStringLiteral("%1/Language/%2/%3")
                                 .arg(QCoreApplication::applicationDirPath(), QLatin1String(language.folder),
                                      QLatin1String(language.file));
        if (translator.load(path))
            QCoreApplication::installTranslator(&translator);
    }
}

const CCliCommand* CCliProgram::Find(const QString& name) const {
    for (const CCliCommand& command : m_commands)
        if (command.name == name)
            return &command;
    return nullptr;
}

QList<QCommandLineOption> CCliProgram::OptionsOf(const CCliCommand& command) {
    QList<QCommandLineOption> options;
    if (command.takesDevice)
        options.append(QCommandLineOption({QStringLiteral("u"), QStringLiteral("udid")},
                                          tr("The device to work on; may be left out when only one is "
                                             "plugged in."),
                                          QStringLiteral("UDID")));
    if (command.takesJson)
        options.append(QCommandLineOption(QStringLiteral("json"), tr("Print one JSON document.")));
    options += command.options;
    options.append(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, tr("Show this help.")));
    return options;
}

void CCliProgram::PrintHelp() const {
    CCliOutput::Line(tr("Usage: vexa COMMAND [OPTIONS] [ARGUMENTS]"));
    CCliOutput::Line(tr("Manages iPhones and iPads from the command line."));
    CCliOutput::Line(QString());
    CCliOutput::Line(tr("Commands:"));
    for (const CCliCommand& command : m_commands)
        CCliOutput::Line(QStringLiteral("  %1 %2").arg(command.name, -10).arg(command.summary));
    CCliOutput::Line(QString());
    CCliOutput::Line(tr("Run \"vexa COMMAND --help\" for the options of one command."));
    CCliOutput::Line(tr("Exit status: 0 success, 1 the operation failed, 2 bad usage, 3 no such device or "
                        "more than one, 4 wrong or missing password, 5 cancelled."));
}

void CCliProgram::PrintCommandHelp(const CCliCommand& command, const QList<QCommandLineOption>& options) {
    CCliOutput::Line(tr("Usage: vexa %1 %2").arg(command.name, command.synopsis).trimmed());
    CCliOutput::Line(command.summary);
    CCliOutput::Line(QString());
    CCliOutput::Line(tr("Options:"));
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            left += QLatin1Char(' ') + option.valueName();
        CCliOutput::Line(QStringLiteral("  %1 %2").arg(left, -22).arg(option.description()));
    }
}

int CCliProgram::Run(const QStringList& arguments) {
    const QString first = arguments.value(1);
    if (first.isEmpty() || first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        PrintHelp();
        return first.isEmpty() ? kExitUsage : kExitOk;
    }
    if (first == QLatin1String("--version")) {
        CCliOutput::Line(QStringLiteral("vexa %1").arg(QCoreApplication::applicationVersion()));
        return kExitOk;
    }
    const CCliCommand* command = Find(first);
    if (!command)
        return CCliOutput::Fail(kExitUsage, tr("unknown command \"%1\" (see vexa --help)").arg(first));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QList<QCommandLineOption> options = OptionsOf(*command);
    parser.addOptions(options);
    QStringList rest = arguments.mid(2);
    rest.prepend(QStringLiteral("vexa"));
    if (!parser.parse(rest))
        return CCliOutput::Fail(
            kExitUsage, QStringLiteral("%1 (see vexa %2 --help)").arg(parser.errorText(), command->name));
    if (parser.isSet(QStringLiteral("help"))) {
        PrintCommandHelp(*command, options);
        return kExitOk;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < command->minArguments || count > command->maxArguments)
        return CCliOutput::Fail(kExitUsage, tr("usage: vexa %1 %2").arg(command->name, command->synopsis));
    CCliContext context(*command, parser);
    return command->run(context);
}
