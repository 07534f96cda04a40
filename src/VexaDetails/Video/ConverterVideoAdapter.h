#pragma once

#include <QObject>

#include "IConverterVideoCallback.h"

// Carries a conversion job's reports to the dialog as signals. The messages are texts of static
// storage, so they stay valid across a queued connection.
class ConverterVideoAdapter : public QObject, public IConverterVideoCallback {
    Q_OBJECT
public:
    explicit ConverterVideoAdapter(QObject* parent = nullptr);

    void OnBegin() override;
    void OnEnd() override;
    void OnProgress(quint64 current, quint64 total) override;
    void OnMsg(const char* message) override;
    void OnError(const char* message) override;

signals:
    void begin();
    void end();
    void progress(quint64 current, quint64 total);
    void msg(const char* message);
    void error(const char* message);
};
