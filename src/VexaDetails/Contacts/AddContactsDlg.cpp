#include "AddContactsDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "AddContactsWidget.h"
#include "CContactChunk.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QProUtil.h"

namespace {

const char* const kButtonStyle =
    "QPushButton{min-width:80px;min-height:26px;border:1px solid rgb(122,190,204);border-radius:4px;"
    "background:rgb(122,190,204);color:white;padding:0 10px;}"
    "QPushButton:hover{background:rgb(100,166,182);}"
    "QPushButton#m_btnCancel{background:white;color:rgb(15,67,76);}";

std::unique_ptr<CContactChunk> CopyOf(const CContactChunk* contact) {
    if (!contact)
        return nullptr;
    auto copy = std::make_unique<CContactChunk>(contact->Manager());
    copy->SetId(contact->GetId());
    copy->displayName = contact->displayName;
    copy->groups = contact->groups;
    copy->groupNames = contact->groupNames;
    copy->firstName = contact->firstName;
    copy->middleName = contact->middleName;
    copy->lastName = contact->lastName;
    copy->nickName = contact->nickName;
    copy->note = contact->note;
    copy->picture = contact->picture;
    copy->phones = contact->phones;
    copy->secondList = contact->secondList;
    copy->organization = contact->organization;
    copy->department = contact->department;
    copy->jobTitle = contact->jobTitle;
    copy->birthday = contact->birthday;
    copy->addresses = contact->addresses;
    copy->urls = contact->urls;
    return copy;
}

} // namespace

AddContactsDlg::AddContactsDlg(const QStringList& groups, const CContactChunk* contact, QWidget* parent)
    : QImageDialog(parent)
    , m_contact(CopyOf(contact))
    , m_labelTitle(new QLabel(this))
    , m_btnClose(new QImageButton(this))
    , m_btnRefresh(new QImageButton(this))
    , m_scrollArea(new QScrollArea(this))
    , m_form(new AddContactsWidget)
    , m_btnYes(new QPushButton(this))
    , m_btnCancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("AddContactsDlg"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_btnRefresh->setObjectName(QStringLiteral("m_btnRefresh"));
    m_btnYes->setObjectName(QStringLiteral("m_btnYes"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_labelTitle->setStyleSheet(
        QStringLiteral("QLabel{font-weight:bold;font-size:14px;color:rgb(15,67,76);}"));
    const QString root = ResourceRoot();
    if (!m_btnClose->SetImages(root + QStringLiteral("/image/btn_close.png")))
        m_btnClose->setText(QStringLiteral("x"));
    if (!m_btnRefresh->SetImages(root + QStringLiteral("/image/details/btn_refresh.png")))
        m_btnRefresh->setText(tr("Reset"));
    for (QPushButton* button : {m_btnYes, m_btnCancel})
        button->setStyleSheet(QString::fromLatin1(kButtonStyle));

    m_form->SetGroups(groups);
    if (m_contact)
        m_form->Fill(*m_contact);
    m_scrollArea->setWidget(m_form);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setStyleSheet(QStringLiteral("QScrollArea, #AddContactsWidget{background:white;}"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_labelTitle);
    top->addStretch(1);
    top->addWidget(m_btnClose, 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_btnRefresh);
    bottom->addStretch(1);
    bottom->addWidget(m_btnYes);
    bottom->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 8, 14);
    layout->addLayout(top);
    layout->addWidget(m_scrollArea, 1);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    bottom->setContentsMargins(0, 0, 8, 0);
    resize(500, 520);

    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_btnYes, &QPushButton::clicked, this, &AddContactsDlg::OnBtnYes);
    connect(m_btnRefresh, &QPushButton::clicked, this, &AddContactsDlg::OnBtnRefresh);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &AddContactsDlg::OnLanguageChanged);
    OnLanguageChanged();
}

AddContactsDlg::~AddContactsDlg() = default;

ContactFormData AddContactsDlg::Data() const {
    return m_form->Data();
}

bool AddContactsDlg::IsEmptyContact(const ContactFormData& data) const {
    // The editor has no field for a middle name; one kept from the device still names the contact.
    const bool named = !data.firstName.empty() || !data.lastName.empty() || !data.nickName.empty() ||
                       (m_contact && !m_contact->middleName.empty());
    return !named && data.phones.empty() && data.emails.empty();
}

void AddContactsDlg::OnBtnYes() {
    if (IsEmptyContact(Data())) {
        // The message runs an event loop; the device, and this dialog with its view, may go meanwhile.
        const QPointer<AddContactsDlg> self(this);
        ShowMessage(tr("The contact is empty. Please enter a name, a phone number or an e-mail address."),
                    QString(), MSG_WARNING);
        if (self)
            m_form->FocusFirstName();
        return;
    }
    done(kAccepted);
}

// Throws away what was typed: back to the contact as it was opened, or to an empty form.
void AddContactsDlg::OnBtnRefresh() {
    if (m_contact)
        m_form->Fill(*m_contact);
    else
        m_form->ClearForm();
}

void AddContactsDlg::OnLanguageChanged() {
    setWindowTitle(m_contact ? tr("Edit Contact") : tr("Add Contact"));
    m_labelTitle->setText(windowTitle());
    m_btnYes->setText(tr("yes"));
    m_btnCancel->setText(tr("cancel"));
    m_btnClose->setToolTip(tr("Close"));
    m_btnRefresh->setToolTip(tr("Reset the form"));
}
