#pragma once

#include <QObject>

// Carries the process-wide language switch to every window, which retranslates its texts and
// reloads its images in OnLanguageChanged().
class QProUtil : public QObject {
    Q_OBJECT
public:
    static QProUtil* instance();

signals:
    void languageChanged();

private:
    QProUtil() = default;
};
