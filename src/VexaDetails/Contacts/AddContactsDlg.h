#pragma once

#include <memory>

#include "CContactRecords.h"
#include "QImageDialog.h"

class AddContactsWidget;
class CContactChunk;
class QImageButton;
class QLabel;
class QPushButton;
class QScrollArea;

// The contact editor. exec() returns 0x4000 when the user saves; any other code means cancelled.
// An empty contact is not accepted: the editor says what is missing and stays open.
class AddContactsDlg : public QImageDialog {
    Q_OBJECT
public:
    static constexpr int kAccepted = 0x4000;

    // Empty for a new contact; `contact` (not kept) fills it for editing.
    AddContactsDlg(const QStringList& groups, const CContactChunk* contact, QWidget* parent = nullptr);
    ~AddContactsDlg() override;

    AddContactsWidget* Form() const { return m_form; }
    ContactFormData Data() const;
    // Nothing that names or reaches the contact was entered: such a contact is not saved.
    bool IsEmptyContact(const ContactFormData& data) const;

public slots:
    void OnBtnYes();
    void OnBtnRefresh();
    void OnLanguageChanged();

private:
    // A copy of the contact being edited, for the reset button; null for a new contact.
    std::unique_ptr<CContactChunk> m_contact;
    QLabel* m_labelTitle;
    QImageButton* m_btnClose;
    QImageButton* m_btnRefresh;
    QScrollArea* m_scrollArea;
    AddContactsWidget* m_form;
    QPushButton* m_btnYes;
    QPushButton* m_btnCancel;
};
