#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// Where the Photos page's export goes, and whether HEIC pictures are turned into JPEGs on the way
// (EXIF kept, the picture upright). Originals are kept unless the user asked once for JPEGs; the choice
// is remembered for the next export.
class PhotoExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit PhotoExportDialog(QWidget* parent = nullptr);

    QString Folder() const;
    bool ConvertHeic() const;

    QLineEdit* FolderEdit() const { return m_folder; }
    QCheckBox* ConvertBox() const { return m_convert; }
    QPushButton* OkButton() const { return m_ok; }

    // The remembered choice, in the user's settings file.
    static bool ConvertHeicSetting();
    static void SetConvertHeicSetting(bool convert);

    void accept() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Browse();
    void Retranslate();

    QLineEdit* m_folder;
    QPushButton* m_browse;
    QCheckBox* m_convert;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
