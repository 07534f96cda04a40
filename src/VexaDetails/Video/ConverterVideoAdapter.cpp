#include "ConverterVideoAdapter.h"

ConverterVideoAdapter::ConverterVideoAdapter(QObject* parent)
    : QObject(parent) {}

void ConverterVideoAdapter::OnBegin() {
    emit begin();
}

void ConverterVideoAdapter::OnEnd() {
    emit end();
}

void ConverterVideoAdapter::OnProgress(quint64 current, quint64 total) {
    emit progress(current, total);
}

void ConverterVideoAdapter::OnMsg(const char* message) {
    emit msg(message);
}

void ConverterVideoAdapter::OnError(const char* message) {
    emit error(message);
}
