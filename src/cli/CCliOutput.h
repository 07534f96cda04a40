#pragma once

#include <QJsonValue>
#include <QString>

// Where a command's answer goes: plain lines for people or one JSON document for scripts on standard
// output, complaints on standard error as one line that starts with "vexa: ". Everything is UTF-8.
class CCliOutput {
public:
    static void Line(const QString& text);
    static void Json(const QJsonValue& value);
    // Line breaks in `text` become spaces, so a complaint is always one line.
    static void Error(const QString& text);
    // The complaint and the exit status it goes with, for `return Fail(...)`.
    static int Fail(int exitCode, const QString& text);
};
