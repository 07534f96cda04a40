#pragma once

#include "QImageDialog.h"

class QImageButton;
class QLabel;

// The About window: program name, version, the maker's website and the legal note.
class QAboutDlg : public QImageDialog {
    Q_OBJECT
public:
    explicit QAboutDlg(QWidget* parent = nullptr);

public slots:
    void OnLanguageChanged();

private:
    void InitImages();

    QLabel* m_labelTitle;
    QLabel* m_labelVersion;
    QLabel* m_labelWebsite;
    QLabel* m_labelNote;
    QImageButton* m_btnOk;
    QImageButton* m_btnClose;
};
