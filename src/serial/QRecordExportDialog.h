#pragma once

#include <QCoreApplication>
#include <QString>

class ISerialable;
class QWidget;

// The user's side of a record export: asks for a file name, writes the file and offers to open
// its folder.
// Runs on the GUI thread, synchronously, while the view's records stand still.
class QRecordExportDialog {
    Q_DECLARE_TR_FUNCTIONS(QRecordExportDialog)

public:
    // view names the filter (contacts may also be saved as vCards) and parents the dialog.
    static void Run(QWidget* view, ISerialable* source);
    // The navigation panel's export: with nothing checked the user is told to choose first.
    static void RunChecked(QWidget* view, ISerialable* source, bool anyChecked);

    static QString FilterFor(const QString& viewObjectName);
    static QString StartPath();
};
