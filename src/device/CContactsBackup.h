#pragma once

#include <QCoreApplication>
#include <QString>

class QContactsView;
class QDateTime;
class QWidget;

// "Backup Contacts" of the tools window: every contact of a device, checked or not, into one vCard
// file in a folder the user chooses, written by the record export's vCard writer. The device's
// contacts view reads them afresh for it, so the backup holds what the device holds now and the page
// and its tree node show what was saved. GUI thread only.
class CContactsBackup {
    Q_DECLARE_TR_FUNCTIONS(CContactsBackup)

public:
    // Asks for the folder, reads the contacts, writes and tells the user where the file went.
    static void Run(QContactsView* view, QWidget* parent);
    // "<folder>/<device name> Contacts <yyyy-MM-dd hh.mm.ss>.vcf", the name made safe for a file.
    static QString FilePath(const QString& folder, const QString& deviceName, const QDateTime& when);

private:
    // Loads the view's contacts behind a wait dialog. False when the device went away meanwhile or
    // the load failed (the view has told the user then).
    static bool Reload(QContactsView* view, QWidget* parent);
};
