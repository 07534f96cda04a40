#pragma once

#include <QCoreApplication>
#include <QString>

// Where a backup's password comes from: the file --password-file names (its first line), else the
// environment variable VEXA_BACKUP_PASSWORD, else a prompt without echo when standard input is a
// terminal. Never from an argument, which every user of the computer could read.
class CPasswordSource {
    Q_DECLARE_TR_FUNCTIONS(CPasswordSource)
public:
    enum class Result { Found, None, Unreadable };

    // `file` may be empty. Unreadable after a complaint on standard error.
    static Result Read(const QString& file, QString* password);
    // As Read, for a backup that cannot be opened without it: an exit status, kExitOk when found,
    // kExitPassword after a complaint when not.
    static int Require(const QString& file, QString* password);

private:
    static bool Prompt(QString* password);
};
