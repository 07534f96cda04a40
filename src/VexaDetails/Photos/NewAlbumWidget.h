#pragma once

#include "QImageDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name of a new album ("New Album"). Characters a name may not hold are undone as they
// are typed; "Ok" sends the name and is only offered for a name that is not blank.
class NewAlbumWidget : public QImageDialog {
    Q_OBJECT
public:
    explicit NewAlbumWidget(QWidget* parent = nullptr);

    QLineEdit* Editor() const { return m_edit; }
    QPushButton* OkButton() const { return m_btnOk; }

signals:
    void emitClickOk(QString name);

public slots:
    void OnBtnOk();
    void OnLanguageChanged();

private slots:
    void OnTextEdited(const QString& text);

private:
    QLabel* m_title;
    QLabel* m_prompt;
    QLineEdit* m_edit;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
    QPushButton* m_btnClose;
    QString m_previous;
};
