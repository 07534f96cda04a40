#include "CCliOutput.h"

#include <cstdio>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
void Write(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

void CCliOutput::Line(const QString& text) {
    Write(stdout, text.toUtf8() + '\n');
}

void CCliOutput::Json(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    Write(stdout, document.toJson(QJsonDocument::Indented));
}

void CCliOutput::Error(const QString& text) {
    QString line = text.simplified();
    Write(stderr, "vexa: " + line.toUtf8() + '\n');
}

int CCliOutput::Fail(int exitCode, const QString& text) {
    Error(text);
    return exitCode;
}
