#pragma once

#include <QCoreApplication>
#include <QString>

class ISerialable;
class IVexaManager;
class QWidget;

// The export button's route for views whose records name files: the user picks a folder and the
// checked records' files are copied into it behind the transfer dialog. GUI thread only.
class QFileFolderExport {
    Q_DECLARE_TR_FUNCTIONS(QFileFolderExport)

public:
    // With nothing checked the user is told to choose first; a cancelled folder dialog does nothing.
    static void RunChecked(QWidget* view, ISerialable* source, IVexaManager* manager, int kind,
                           bool anyChecked);
    // Copies the checked records of `source` into `folder`, creating it when missing. Returns the
    // number of files that could not be copied, or -1 when the folder could not be created.
    // A whole export ends by naming the folder and offering to open it, unless `confirm` is false.
    static int ExportTo(ISerialable* source, IVexaManager* manager, int kind, const QString& folder,
                        bool confirm = true);

    // Where the folder dialog starts: the last folder chosen, else the documents folder.
    static QString StartFolder();
    // The folder dialog of an export, remembering the answer; empty when cancelled.
    static QString ChooseFolder(QWidget* parent);
    // A folder the user chose in a dialog of their own, where the next folder dialog starts.
    static void RememberFolder(const QString& folder);
};
