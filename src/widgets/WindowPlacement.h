#pragma once

class QWidget;

// Where the program's own windows open. Without a window manager nothing is ever active and a window
// nobody placed sits at the screen's corner, so dialogs and secondary windows are put over the window
// they belong to.

// The program's main window: the first visible QMainWindow; null before it is shown.
QWidget* MainWindowWidget();
// The window a dialog opened now belongs to: the open modal dialog, else the active window, else the
// main window. Never `exclude` (the dialog asking).
QWidget* DialogOwner(const QWidget* exclude = nullptr);
// Moves the top-level `window` so that its centre lies on the centre of `anchor`'s window (the main
// window when the anchor is null or hidden, the screen without either), kept inside that screen.
void CentreOn(QWidget* window, const QWidget* anchor);
// For a frameless dialog's showEvent(), after QDialog's: centres the dialog on its parent's window, or
// on its owner's when it has no parent, unless whoever opened it gave it a position (`placed`: the
// dialog had Qt::WA_Moved before QDialog's showEvent). Qt's own placement leaves room for a title bar
// such a dialog does not have.
void CentreFramelessDialog(QWidget* dialog, bool placed);
