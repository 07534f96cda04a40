#include "AddContactsWidget.h"

#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "CContactChunk.h"
#include "ContactGroupNames.h"
#include "QMessageDlg.h"
#include "QProUtil.h"
#include "contactsWay.h"

namespace {

constexpr int kPhotoSize = 80;
const char* const kUngrouped = "Ungrouped";

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ToStd(const QString& text) {
    return text.toStdString();
}

// A device label as the phone rows show it ("home", "work", ...); other labels stay as they are.
QString ShownLabel(const std::string& label) {
    return QCoreApplication::translate("contactsWay", label.empty() ? "other" : label.c_str());
}

// Street lines, "code city", region and country, the empty ones left out.
QString AddressLine(const CContactChunk::Address& address) {
    QStringList parts = FromStd(address.street).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    parts << (FromStd(address.postalCode) + QLatin1Char(' ') + FromStd(address.city)).trimmed()
          << FromStd(address.region) << FromStd(address.country);
    parts.removeAll(QString());
    return parts.join(QStringLiteral(", "));
}

} // namespace

AddContactsWidget::AddContactsWidget(QWidget* parent)
    : QWidget(parent)
    , m_btn_group(new QComboBox(this))
    , m_btn_firstName(new QLineEdit(this))
    , m_btn_lastName(new QLineEdit(this))
    , m_btn_nickName(new QLineEdit(this))
    , textEdit(new QTextEdit(this))
    , m_labelPhoto(new QLabel(this))
    , m_btnChangePhoto(new QPushButton(this))
    , m_btnAddfield(new QPushButton(this))
    , m_labelGroup(new QLabel(this))
    , m_labelFirstName(new QLabel(this))
    , m_labelLastName(new QLabel(this))
    , m_labelNickName(new QLabel(this))
    , m_labelPhones(new QLabel(this))
    , m_labelEmails(new QLabel(this))
    , m_labelNote(new QLabel(this))
    , m_labelDetailsTitle(new QLabel(this))
    , m_labelDetails(new QLabel(this))
    , m_phoneRows(new QVBoxLayout)
    , m_emailRows(new QVBoxLayout) {
    setObjectName(QStringLiteral("AddContactsWidget"));
    m_btn_group->setObjectName(QStringLiteral("m_btn_group"));
    m_btn_firstName->setObjectName(QStringLiteral("m_btn_firstName"));
    m_btn_lastName->setObjectName(QStringLiteral("m_btn_lastName"));
    m_btn_nickName->setObjectName(QStringLiteral("m_btn_nickName"));
    textEdit->setObjectName(QStringLiteral("textEdit"));
    m_labelPhoto->setObjectName(QStringLiteral("m_labelPhoto"));
    m_btnChangePhoto->setObjectName(QStringLiteral("m_btnChangePhoto"));
    m_btnAddfield->setObjectName(QStringLiteral("m_btnAddfield"));
    m_labelDetails->setObjectName(QStringLiteral("m_labelDetails"));
    m_labelDetails->setWordWrap(true);
    m_labelDetails->setTextFormat(Qt::PlainText);
    m_labelDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_labelPhoto->setFixedSize(kPhotoSize, kPhotoSize);
    m_labelPhoto->setAlignment(Qt::AlignCenter);
    m_labelPhoto->setWordWrap(true);
    m_labelPhoto->setStyleSheet(
        QStringLiteral("QLabel{border:1px solid rgb(122,190,204);background:white;color:rgb(120,150,160);}"));
    textEdit->setFixedHeight(60);
    textEdit->setAcceptRichText(false);
    for (QLabel* section : {m_labelPhones, m_labelEmails, m_labelNote, m_labelDetailsTitle})
        section->setStyleSheet(QStringLiteral("QLabel{font-weight:bold;color:rgb(15,67,76);}"));

    auto* names = new QFormLayout;
    names->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    names->addRow(m_labelFirstName, m_btn_firstName);
    names->addRow(m_labelLastName, m_btn_lastName);
    names->addRow(m_labelNickName, m_btn_nickName);
    names->addRow(m_labelGroup, m_btn_group);
    auto* photo = new QVBoxLayout;
    photo->addWidget(m_labelPhoto, 0, Qt::AlignHCenter);
    photo->addWidget(m_btnChangePhoto);
    photo->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(photo);
    top->addSpacing(10);
    top->addLayout(names, 1);

    m_phoneRows->setSpacing(4);
    m_emailRows->setSpacing(4);
    auto* emailHeader = new QHBoxLayout;
    emailHeader->addWidget(m_labelEmails);
    emailHeader->addStretch(1);
    emailHeader->addWidget(m_btnAddfield);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(m_labelPhones);
    layout->addLayout(m_phoneRows);
    layout->addSpacing(6);
    layout->addLayout(emailHeader);
    layout->addLayout(m_emailRows);
    layout->addSpacing(6);
    layout->addWidget(m_labelNote);
    layout->addWidget(textEdit);
    layout->addSpacing(6);
    layout->addWidget(m_labelDetailsTitle);
    layout->addWidget(m_labelDetails);
    // Room left over goes below the note, not between the sections.
    layout->addStretch(1);

    connect(m_btnChangePhoto, &QPushButton::clicked, this, &AddContactsWidget::OnChangePhoto);
    connect(m_btnAddfield, &QPushButton::clicked, this, &AddContactsWidget::OnAddField);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &AddContactsWidget::OnLanguageChanged);
    OnLanguageChanged();
    ClearForm();
}

void AddContactsWidget::OnLanguageChanged() {
    m_labelGroup->setText(tr("Group"));
    m_labelFirstName->setText(tr("First Name"));
    m_labelLastName->setText(tr("Last Name"));
    m_labelNickName->setText(tr("Nick Name"));
    m_labelPhones->setText(tr("Phone"));
    m_labelEmails->setText(tr("E-mail"));
    m_labelNote->setText(tr("Note"));
    m_btnChangePhoto->setText(tr("Change Photo"));
    m_btnAddfield->setText(tr("Add E-mail"));
    m_labelDetailsTitle->setText(tr("More Details"));
    if (m_btn_group->count() > 0)
        m_btn_group->setItemText(0, tr("Ungrouped"));
    for (int item = 1; item < m_btn_group->count(); ++item)
        m_btn_group->setItemText(item, DisplayGroupName(m_btn_group->itemData(item).toString()));
    if (m_picture.empty())
        ShowNoPhoto();
    ShowDetails();
}

void AddContactsWidget::SetGroups(const QStringList& groups) {
    const QVariant current = m_btn_group->currentData();
    m_btn_group->clear();
    // The first choice puts the contact in no group; the device's own "Ungrouped" means the same.
    m_btn_group->addItem(tr("Ungrouped"), QString());
    for (const QString& group : groups) {
        if (group != QLatin1String(kUngrouped))
            m_btn_group->addItem(DisplayGroupName(group), group);
    }
    m_btn_group->setCurrentIndex(std::max(0, int(m_btn_group->findData(current))));
}

QVBoxLayout* AddContactsWidget::LayoutOf(int kind) const {
    return kind == contactsWay::PhoneKind ? m_phoneRows : m_emailRows;
}

QList<contactsWay*> AddContactsWidget::Rows(int kind) const {
    QList<contactsWay*> rows;
    QVBoxLayout* layout = LayoutOf(kind);
    for (int i = 0; i < layout->count(); ++i) {
        if (auto* row = qobject_cast<contactsWay*>(layout->itemAt(i)->widget()))
            rows << row;
    }
    return rows;
}

contactsWay* AddContactsWidget::AddRow(int kind, contactsWay* after) {
    auto* row = new contactsWay(contactsWay::Kind(kind), this);
    QVBoxLayout* layout = LayoutOf(kind);
    const int at = after ? layout->indexOf(after) + 1 : layout->count();
    layout->insertWidget(at, row);
    connect(row, &contactsWay::signalAdd, this, &AddContactsWidget::OnRowAdd);
    connect(row, &contactsWay::signalMinus, this, &AddContactsWidget::OnRowMinus);
    return row;
}

void AddContactsWidget::OnRowAdd() {
    if (auto* row = qobject_cast<contactsWay*>(sender()))
        AddRow(row->kind(), row);
}

void AddContactsWidget::OnRowMinus() {
    auto* row = qobject_cast<contactsWay*>(sender());
    if (!row)
        return;
    // The last phone row stays so there is always one to type into; it is only emptied.
    if (row->kind() == contactsWay::PhoneKind && Rows(contactsWay::PhoneKind).size() == 1) {
        row->Clear();
        return;
    }
    LayoutOf(row->kind())->removeWidget(row);
    row->deleteLater();
    row->hide();
}

void AddContactsWidget::OnAddField() {
    AddRow(contactsWay::EmailKind)->setFocus();
}

void AddContactsWidget::ClearForm() {
    for (int kind : {int(contactsWay::PhoneKind), int(contactsWay::EmailKind)}) {
        for (contactsWay* row : Rows(kind)) {
            LayoutOf(kind)->removeWidget(row);
            delete row;
        }
    }
    AddRow(contactsWay::PhoneKind);
    m_btn_firstName->clear();
    m_btn_lastName->clear();
    m_btn_nickName->clear();
    textEdit->clear();
    m_btn_group->setCurrentIndex(0);
    m_picture.clear();
    ShowNoPhoto();
    m_details = Details();
    ShowDetails();
}

void AddContactsWidget::Fill(const CContactChunk& chunk) {
    ClearForm();
    m_btn_firstName->setText(FromStd(chunk.firstName));
    m_btn_lastName->setText(FromStd(chunk.lastName));
    m_btn_nickName->setText(FromStd(chunk.nickName));
    textEdit->setPlainText(FromStd(chunk.note));
    if (!chunk.groupNames.empty()) {
        const int at = m_btn_group->findData(FromStd(chunk.groupNames.front()));
        if (at >= 0)
            m_btn_group->setCurrentIndex(at);
    }
    if (!chunk.picture.empty())
        ShowPhoto(QByteArray(chunk.picture.data(), qsizetype(chunk.picture.size())));
    const QList<contactsWay*> phoneRows = Rows(contactsWay::PhoneKind);
    for (size_t i = 0; i < chunk.phones.size(); ++i) {
        contactsWay* row = i == 0 ? phoneRows.front() : AddRow(contactsWay::PhoneKind);
        row->SetEntry(FromStd(chunk.phones[i].first), FromStd(chunk.phones[i].second));
    }
    for (const CContactChunk::Entry& email : chunk.secondList)
        AddRow(contactsWay::EmailKind)->SetEntry(FromStd(email.first), FromStd(email.second));
    m_details = {chunk.organization, chunk.department, chunk.jobTitle,
                 chunk.birthday,     chunk.addresses,  chunk.urls};
    ShowDetails();
}

QString AddContactsWidget::DetailsText(const Details& details) {
    QStringList lines;
    QStringList company({FromStd(details.organization), FromStd(details.department)});
    company.removeAll(QString());
    if (!company.isEmpty())
        lines << tr("Company: %1").arg(company.join(QStringLiteral(" – ")));
    if (!details.jobTitle.empty())
        lines << tr("Job Title: %1").arg(FromStd(details.jobTitle));
    if (!details.birthday.empty())
        lines << tr("Birthday: %1").arg(FromStd(details.birthday));
    for (const CContactChunk::Address& address : details.addresses)
        lines << tr("Address (%1): %2").arg(ShownLabel(address.label), AddressLine(address));
    for (const CContactChunk::Entry& url : details.urls)
        lines << tr("Web Page (%1): %2").arg(ShownLabel(url.first), FromStd(url.second));
    return lines.join(QLatin1Char('\n'));
}

void AddContactsWidget::ShowDetails() {
    const QString text = DetailsText(m_details);
    m_labelDetails->setText(text);
    m_labelDetailsTitle->setVisible(!text.isEmpty());
    m_labelDetails->setVisible(!text.isEmpty());
}

ContactFormData AddContactsWidget::Data() const {
    ContactFormData data;
    data.firstName = ToStd(m_btn_firstName->text().trimmed());
    data.lastName = ToStd(m_btn_lastName->text().trimmed());
    data.nickName = ToStd(m_btn_nickName->text().trimmed());
    data.group = ToStd(m_btn_group->currentData().toString());
    data.note = ToStd(textEdit->toPlainText());
    data.picture = m_picture;
    // Keyed by label: of two rows with one label the lower one wins.
    for (const contactsWay* row : Rows(contactsWay::PhoneKind)) {
        if (!row->Value().isEmpty())
            data.phones[ToStd(row->Label())] = ToStd(row->Value());
    }
    for (const contactsWay* row : Rows(contactsWay::EmailKind)) {
        if (!row->Value().isEmpty())
            data.emails[ToStd(row->Label())] = ToStd(row->Value());
    }
    return data;
}

void AddContactsWidget::ShowNoPhoto() {
    m_labelPhoto->setPixmap(QPixmap());
    m_labelPhoto->setText(tr("No photo"));
}

bool AddContactsWidget::LoadPhoto(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes)) {
        ShowMessage(tr("Get photo data failed! Please choose another one!"), QString(), MSG_WARNING);
        return false;
    }
    // The phone keeps contact pictures as JPEG: a JPEG file goes as it is, any other picture is
    // converted.
    if (!bytes.startsWith("\xFF\xD8\xFF")) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", 90)) {
            ShowMessage(tr("Get photo data failed! Please choose another one!"), QString(), MSG_WARNING);
            return false;
        }
    }
    ShowPhoto(bytes);
    return true;
}

void AddContactsWidget::ShowPhoto(const QByteArray& jpeg) {
    QImage image;
    if (!image.loadFromData(jpeg)) {
        m_picture.clear();
        ShowNoPhoto();
        return;
    }
    m_picture.assign(jpeg.constData(), size_t(jpeg.size()));
    m_labelPhoto->setText(QString());
    m_labelPhoto->setPixmap(QPixmap::fromImage(
        image.scaled(kPhotoSize - 2, kPhotoSize - 2, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void AddContactsWidget::FocusFirstName() {
    m_btn_firstName->setFocus();
}

QString AddContactsWidget::PhotoFilter() {
    // The patterns stay as they are in every language; only the words around them are translated.
    return tr("Picture files (%1);;All files (*)")
        .arg(QStringLiteral("*.jpg *.jpeg *.png *.bmp *.gif *.JPG *.JPEG *.PNG *.BMP *.GIF"));
}

void AddContactsWidget::OnChangePhoto() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Import File"), QString(), PhotoFilter());
    if (!path.isEmpty())
        LoadPhoto(path);
}
