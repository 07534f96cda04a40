#include "QMessageDlg.h"

#include <QDebug>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QShowEvent>

#include "CMessageLayout.h"
#include "LanguageService.h"
#include "QImageButton.h"
#include "QProUtil.h"
#include "QWindowDragger.h"
#include "WidgetColors.h"
#include "WindowPlacement.h"

namespace {

constexpr quint32 kIconKindMask = 0x30;
constexpr quint32 kSecondButtonMask = MSG_TWO_BUTTONS | MSG_RESTART | MSG_YESNO;
constexpr int kDialogWidth = 420;
constexpr int kFallbackTopHeight = 36;
constexpr int kFallbackBottomHeight = 16;
constexpr int kCornerRadius = 6;

QPixmap loadPicture(const QString& name) {
    return QPixmap(ResourceRoot() + QStringLiteral("/pic/") + name);
}

QString firstButtonImage(quint32 flags) {
    if (flags & MSG_RESTART) {
        return QStringLiteral("button_Restart.png");
    }
    return (flags & MSG_YESNO) ? QStringLiteral("button_yes.png") : QStringLiteral("button_ok.png");
}

QString secondButtonImage(quint32 flags) {
    if (flags & MSG_RESTART) {
        return QStringLiteral("button_Restart_later.png");
    }
    return (flags & MSG_YESNO) ? QStringLiteral("button_no.png") : QStringLiteral("button_cancel.png");
}

const char* firstButtonFailure(quint32 flags) {
    if (flags & MSG_RESTART) {
        return "QMessageDlg::InitButton Load Restart Image fail";
    }
    return (flags & MSG_YESNO) ? "QMessageDlg::InitButton Load Yes Image fail"
                               : "QMessageDlg::InitButton fail";
}

// Without its image a button still has to say what it does.
QString firstButtonText(quint32 flags) {
    if (flags & MSG_RESTART) {
        return QMessageDlg::tr("Restart");
    }
    return (flags & MSG_YESNO) ? QMessageDlg::tr("Yes") : QMessageDlg::tr("OK");
}

QString secondButtonText(quint32 flags) {
    if (flags & MSG_RESTART) {
        return QMessageDlg::tr("Restart later");
    }
    return (flags & MSG_YESNO) ? QMessageDlg::tr("No") : QMessageDlg::tr("Cancel");
}

void setButtonImage(QImageButton* button, const QString& name, const char* failure,
                    const QString& fallbackText, QSize fallbackSize = QSize(80, 28)) {
    if (button->SetImages(ResourceRoot() + QStringLiteral("/pic/") + name)) {
        button->setText(QString());
        return;
    }
    qDebug() << failure;
    button->setText(fallbackText);
    button->setFixedSize(
        fallbackSize.expandedTo(QSize(button->fontMetrics().horizontalAdvance(fallbackText) + 16, 0)));
}

} // namespace

int ShowMessage(const QString& message, const QString& title, quint32 flags) {
    return ShowMessageUtf8(message.toUtf8().constData(), title.toUtf8().constData(), flags);
}

int ShowMessageUtf8(const char* message, const char* title, quint32 flags) {
    // On the heap: the window the message belongs to may be deleted while the message is open (its
    // device left), and it takes the message with it.
    QPointer<QMessageDlg> dialog = new QMessageDlg(DialogOwner());
    const QString messageText = QString::fromUtf8(message != nullptr ? message : "");
    const QString titleText = QString::fromUtf8(title != nullptr ? title : "");
    if (!messageText.isEmpty()) {
        dialog->SetMessage(messageText);
    }
    if (!titleText.isEmpty()) {
        dialog->SetTitle(titleText);
    }
    if (flags != 0) {
        dialog->SetFlags(flags);
    }
    const int result = dialog->exec();
    if (!dialog)
        return (flags & MSG_YESNO) ? MSG_RESULT_NO : MSG_RESULT_CANCEL;
    delete dialog.data();
    return result;
}

QMessageDlg::QMessageDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_btnOk(new QImageButton(this))
    , m_btnCancel(new QImageButton(this))
    , m_btnClose(new QImageButton(this))
    , m_title(tr("Vexa Transfer")) {
    setObjectName(QStringLiteral("QMessageDlg"));
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    m_btnOk->setObjectName(QStringLiteral("m_btnOk"));
    m_btnCancel->setObjectName(QStringLiteral("m_btnCancel"));
    m_btnClose->setObjectName(QStringLiteral("m_btnClose"));
    m_titleFont = font();
    m_titleFont.setBold(true);
    m_messageFont = font();
    m_messageFont.setPointSizeF(m_messageFont.pointSizeF() + 0.5);
    new QWindowDragger(this);

    connect(m_btnOk, &QPushButton::clicked, this, &QMessageDlg::OnBtnOk);
    connect(m_btnCancel, &QPushButton::clicked, this, &QMessageDlg::OnBtnCancel);
    connect(m_btnClose, &QPushButton::clicked, this, &QMessageDlg::OnBtnCancel);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QMessageDlg::OnLanguageChanged);

    LoadFrameImages();
    InitButton();
    UpdateLayout();
}

void QMessageDlg::SetMessage(const QString& message) {
    m_message = message;
    UpdateLayout();
}

void QMessageDlg::SetTitle(const QString& title) {
    m_title = title;
    setWindowTitle(title);
    UpdateLayout();
}

void QMessageDlg::SetFlags(quint32 flags) {
    m_flags = flags;
    LoadStateIcon();
    InitButton();
    UpdateLayout();
}

void QMessageDlg::OnBtnOk() {
    if (m_flags & MSG_RESTART) {
        emit emitRestart();
        return;
    }
    done((m_flags & MSG_YESNO) ? MSG_RESULT_YES : MSG_RESULT_OK);
}

void QMessageDlg::OnBtnCancel() {
    done((m_flags & MSG_YESNO) ? MSG_RESULT_NO : MSG_RESULT_CANCEL);
}

void QMessageDlg::reject() {
    OnBtnCancel();
}

void QMessageDlg::showEvent(QShowEvent* event) {
    const bool placed = testAttribute(Qt::WA_Moved);
    QDialog::showEvent(event);
    CentreFramelessDialog(this, placed || event->spontaneous());
}

void QMessageDlg::OnLanguageChanged() {
    LoadFrameImages();
    LoadStateIcon();
    InitButton();
    UpdateLayout();
}

bool QMessageDlg::HasSecondButton() const {
    return (m_flags & kSecondButtonMask) != 0;
}

void QMessageDlg::LoadFrameImages() {
    m_titleIcon = loadPicture(QStringLiteral("msg_title_icon.png"));
    if (m_titleIcon.isNull()) {
        qDebug() << "QMessageDlg::LoadTitleIconImg fail";
    }
    m_top = loadPicture(QStringLiteral("message_top.png"));
    m_bottom = loadPicture(QStringLiteral("message_bottom.png"));
    m_lineLeft = loadPicture(QStringLiteral("message_line_left.png"));
    m_lineRight = loadPicture(QStringLiteral("message_line_right.png"));
    if (m_top.isNull() || m_bottom.isNull() || m_lineLeft.isNull() || m_lineRight.isNull()) {
        qDebug() << "QMessageDlg::LoadBorderImg fail";
    }
}

void QMessageDlg::LoadStateIcon() {
    m_stateIcon = QPixmap();
    if (!(m_flags & MSG_ICON)) {
        return;
    }
    QString name;
    switch (m_flags & kIconKindMask) {
    case MSG_WARNING& kIconKindMask:
        name = QStringLiteral("warning.png");
        break;
    case MSG_SUCCESS& kIconKindMask:
        name = QStringLiteral("Success.png");
        break;
    case MSG_ERROR& kIconKindMask:
        name = QStringLiteral("error.png");
        break;
    default:
        return;
    }
    m_stateIcon = loadPicture(name);
    if (m_stateIcon.isNull()) {
        qDebug() << "QMessageDlg::LoadStateIconImg fail" << name;
    }
}

void QMessageDlg::InitButton() {
    setButtonImage(m_btnOk, firstButtonImage(m_flags), firstButtonFailure(m_flags), firstButtonText(m_flags));
    setButtonImage(m_btnCancel, secondButtonImage(m_flags), "QMessageDlg::InitButton Load Cancel Image fail",
                   secondButtonText(m_flags));
    setButtonImage(m_btnClose, QStringLiteral("button_close.png"), "QMessageDlg::InitButton fail",
                   QStringLiteral("\u00d7"), QSize(24, 24));
    m_btnCancel->setVisible(HasSecondButton());
}

void QMessageDlg::UpdateLayout() {
    CMessageLayout::Input input;
    input.width = m_top.isNull() ? kDialogWidth : std::max(kDialogWidth, m_top.width());
    input.topHeight = m_top.isNull() ? kFallbackTopHeight : m_top.height();
    input.bottomHeight = m_bottom.isNull() ? kFallbackBottomHeight : m_bottom.height();
    input.titleIcon = m_titleIcon.size();
    input.closeButton = m_btnClose->size();
    input.stateIcon = m_stateIcon.size();
    input.firstButton = m_btnOk->size();
    if (HasSecondButton()) {
        input.secondButton = m_btnCancel->size();
    }
    const int wrap = Qt::TextWordWrap;
    input.titleHeight =
        QFontMetrics(m_titleFont)
            .boundingRect(QRect(0, 0, CMessageLayout::TitleWidth(input), 10000), wrap, m_title)
            .height();
    input.messageHeight =
        QFontMetrics(m_messageFont)
            .boundingRect(QRect(0, 0, CMessageLayout::MessageWidth(input), 100000), wrap, m_message)
            .height();

    const CMessageLayout layout(input);
    setFixedSize(layout.DialogSize());
    m_titleIconRect = layout.TitleIconRect();
    m_titleRect = layout.TitleRect();
    m_bodyRect = layout.BodyRect();
    m_stateIconRect = layout.StateIconRect();
    m_messageRect = layout.MessageRect();
    m_btnClose->setGeometry(layout.CloseButtonRect());
    m_btnOk->setGeometry(layout.FirstButtonRect());
    m_btnCancel->setGeometry(layout.SecondButtonRect());
    update();
}

void QMessageDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    PaintFrame(painter);
    PaintTexts(painter);
}

void QMessageDlg::PaintFrame(QPainter& painter) {
    const QRect top(0, 0, width(), m_bodyRect.top());
    const QRect bottom(0, m_bodyRect.bottom() + 1, width(), height() - m_bodyRect.bottom() - 1);
    const bool hasBorderImages =
        !m_top.isNull() && !m_bottom.isNull() && !m_lineLeft.isNull() && !m_lineRight.isNull();
    if (hasBorderImages) {
        painter.fillRect(m_bodyRect.adjusted(m_lineLeft.width(), 0, -m_lineRight.width(), 0), Qt::white);
        painter.drawPixmap(top, m_top);
        painter.drawPixmap(bottom, m_bottom);
        painter.drawPixmap(QRect(0, m_bodyRect.top(), m_lineLeft.width(), m_bodyRect.height()), m_lineLeft);
        painter.drawPixmap(
            QRect(width() - m_lineRight.width(), m_bodyRect.top(), m_lineRight.width(), m_bodyRect.height()),
            m_lineRight);
    } else {
        // Drawn by hand in the same colours, so a damaged installation still shows a usable dialog.
        QPainterPath outline;
        outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
        painter.fillPath(outline, Qt::white);
        painter.save();
        painter.setClipPath(outline);
        QLinearGradient titleGradient(top.topLeft(), top.bottomLeft());
        titleGradient.setColorAt(0, QColor(240, 251, 253));
        titleGradient.setColorAt(1, WidgetColors::kPaleTeal);
        painter.fillRect(top, titleGradient);
        painter.restore();
        painter.setPen(QPen(WidgetColors::kTeal, 1.0));
        painter.drawLine(top.bottomLeft(), top.bottomRight());
        painter.drawPath(outline);
    }
    if (!m_titleIcon.isNull()) {
        painter.drawPixmap(m_titleIconRect, m_titleIcon);
    }
    if (!m_stateIcon.isNull()) {
        painter.drawPixmap(m_stateIconRect, m_stateIcon);
    }
}

void QMessageDlg::PaintTexts(QPainter& painter) {
    painter.setFont(m_titleFont);
    painter.setPen(WidgetColors::kTitleText);
    painter.drawText(m_titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, m_title);
    painter.setFont(m_messageFont);
    painter.setPen(WidgetColors::kText);
    // A short message reads best centred under a one-button dialog; longer ones read left-aligned.
    const bool oneLine = QFontMetrics(m_messageFont).horizontalAdvance(m_message) <= m_messageRect.width();
    const Qt::Alignment alignment = oneLine && m_stateIcon.isNull() ? Qt::AlignHCenter : Qt::AlignLeft;
    painter.drawText(m_messageRect, alignment | Qt::AlignVCenter | Qt::TextWordWrap, m_message);
}
