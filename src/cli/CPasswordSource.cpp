#include "CPasswordSource.h"

#include <cstdio>
#include <string>

#include <termios.h>
#include <unistd.h>

#include <QFile>

#include "CCliOutput.h"
#include "CliExit.h"

CPasswordSource::Result CPasswordSource::Read(const QString& file, QString* password) {
    if (!file.isEmpty()) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly)) {
            CCliOutput::Error(tr("the password file %1 could not be read").arg(file));
            return Result::Unreadable;
        }
        QByteArray line = in.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        *password = QString::fromUtf8(line);
        return Result::Found;
    }
    if (qEnvironmentVariableIsSet("VEXA_BACKUP_PASSWORD")) {
        *password = qEnvironmentVariable("VEXA_BACKUP_PASSWORD");
        return Result::Found;
    }
    return Prompt(password) ? Result::Found : Result::None;
}

bool CPasswordSource::Prompt(QString* password) {
    if (::isatty(STDIN_FILENO) != 1)
        return false;
    termios saved{};
    if (::tcgetattr(STDIN_FILENO, &saved) != 0)
        return false;
    termios silent = saved;
    silent.c_lflag &= ~tcflag_t(ECHO);
    std::fputs(tr("Backup password: ").toUtf8().constData(), stderr);
    std::fflush(stderr);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar())
        line.push_back(char(c));
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
    *password = QString::fromStdString(line);
    return true;
}

int CPasswordSource::Require(const QString& file, QString* password) {
    switch (Read(file, password)) {
    case Result::Found:
        return kExitOk;
    case Result::None:
        return CCliOutput::Fail(kExitPassword, tr("the backup is protected by a password: give it with "
                                                  "--password-file or VEXA_BACKUP_PASSWORD"));
    case Result::Unreadable:
        break;
    }
    return kExitPassword;
}
