#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

#include "CContactChunk.h"
#include "CContactRecords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QVBoxLayout;
class contactsWay;

// The contact editor's form: group, names, note, photo and the phone and e-mail rows. What the form
// does not edit (company, job title, birthday, postal and web addresses) it shows below the note.
class AddContactsWidget : public QWidget {
    Q_OBJECT
public:
    explicit AddContactsWidget(QWidget* parent = nullptr);

    // The groups offered in m_btn_group, in the device's order, after the choice of no group.
    void SetGroups(const QStringList& groups);
    // Shows a contact for editing; its first group is selected.
    void Fill(const CContactChunk& chunk);
    // Back to an empty form (one empty phone row, no e-mail row).
    void ClearForm();
    // The form as it stands; rows without a value are left out.
    ContactFormData Data() const;

    // Reads a picture file: false (with a message) when it is not a readable picture. The two
    // picture values are the file's size in bytes and the CRC-32 of its bytes.
    bool LoadPhoto(const QString& path);
    QList<contactsWay*> Rows(int kind) const;
    void FocusFirstName();
    // The filter the "Change Photo" file dialog offers.
    static QString PhotoFilter();

    // The contact's fields the form only shows, one line each; empty when it has none.
    struct Details {
        std::string organization, department, jobTitle, birthday;
        std::vector<CContactChunk::Address> addresses;
        std::vector<CContactChunk::Entry> urls;
    };
    static QString DetailsText(const Details& details);

public slots:
    void OnChangePhoto();
    void OnAddField();
    void OnLanguageChanged();

private slots:
    void OnRowAdd();
    void OnRowMinus();

private:
    contactsWay* AddRow(int kind, contactsWay* after = nullptr);
    QVBoxLayout* LayoutOf(int kind) const;
    void ShowNoPhoto();
    // Shows a JPEG and keeps it as the contact's picture; one that does not decode leaves none.
    void ShowPhoto(const QByteArray& jpeg);
    void ShowDetails();

    QComboBox* m_btn_group;
    QLineEdit* m_btn_firstName;
    QLineEdit* m_btn_lastName;
    QLineEdit* m_btn_nickName;
    QTextEdit* textEdit;
    QLabel* m_labelPhoto;
    QPushButton* m_btnChangePhoto;
    QPushButton* m_btnAddfield;
    QLabel* m_labelGroup;
    QLabel* m_labelFirstName;
    QLabel* m_labelLastName;
    QLabel* m_labelNickName;
    QLabel* m_labelPhones;
    QLabel* m_labelEmails;
    QLabel* m_labelNote;
    QLabel* m_labelDetailsTitle;
    QLabel* m_labelDetails;
    Details m_details;
    QVBoxLayout* m_phoneRows;
    QVBoxLayout* m_emailRows;
    std::string m_picture; // JPEG bytes; empty for none
};
