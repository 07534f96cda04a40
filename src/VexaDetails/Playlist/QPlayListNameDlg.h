#pragma once

#include <QStringList>

#include "QImageDialog.h"

class QImageButton;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name of a new playlist, preset to "New Playlist". OK is refused, with a message, for a
// name the device already has or one longer than it keeps; exec() returns 1 with a usable name.
class QPlayListNameDlg : public QImageDialog {
    Q_OBJECT
public:
    // The longest name the device keeps, in characters.
    static constexpr int kMaximumNameLength = 255;

    explicit QPlayListNameDlg(QWidget* parent = nullptr);

    // Names that are taken; compared without regard to letter case.
    void SetExistingNames(const QStringList& names) { m_existing = names; }
    QString PlayListName() const;
    void SetPlayListName(const QString& name);
    QLineEdit* NameEdit() const { return m_lineEdit; }
    // Why the name cannot be used, or an empty text when it can.
    QString Problem() const;

public slots:
    void OnBtnOk();
    void OnLanguageChanged();

private:
    void UpdateOk();

    QStringList m_existing;
    QLabel* m_labelTitle;
    QLabel* m_labelPrompt;
    QLineEdit* m_lineEdit;
    QImageButton* m_btnClose;
    QPushButton* m_btnOk;
};
