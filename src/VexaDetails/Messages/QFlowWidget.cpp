#include "QFlowWidget.h"

#include <QCheckBox>
#include <QDebug>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <mutex>

#include "CAttachmentFiles.h"
#include "LanguageService.h"

namespace {

// Check box column: at x 10, y 20, 25 wide, 36 high.
constexpr QRect kCheckRect(10, 20, 25, 36);
// An incoming bubble starts this far right of the check box column, an outgoing one ends this far
// from the right edge.
constexpr int kEdge = 2;
constexpr int kTextMarginX = 16;
constexpr int kTextMarginTop = 2;
constexpr int kGap = 4;
constexpr int kDatePadX = 6;
constexpr int kOuterMarginY = 3;
// Without images the bubble is still drawn, as rounded boxes in the images' colours.
constexpr int kFallbackWidth = 300;
constexpr int kFallbackTop = 12;
constexpr int kFallbackBottom = 16;
// The narrowest a bubble gets in a narrow page; below it the page scrolls no further.
constexpr int kMinBubbleWidth = 120;
// A picture whose thumbnail is still being made takes this room meanwhile.
constexpr QSize kPendingPicture(160, 120);
constexpr int kAttachmentGap = 4;

struct BubblePieces {
    QPixmap top;
    QPixmap center;
    QPixmap bottom;
    QColor textColour;

    bool Complete() const { return !top.isNull() && !center.isNull() && !bottom.isNull(); }
};

struct BubbleImages {
    QString root;
    BubblePieces incoming;
    BubblePieces outgoing;
    int width = kFallbackWidth;
};

// Dark text on a light bubble, light text on a dark one.
QColor TextColourOn(const QPixmap& center, bool incoming) {
    if (center.isNull())
        return incoming ? QColor(33, 33, 33) : Qt::white;
    const QImage image = center.toImage();
    const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
    return middle.lightnessF() > 0.6 ? QColor(33, 33, 33) : QColor(Qt::white);
}

BubblePieces LoadPieces(const QString& root, const char* side) {
    BubblePieces pieces;
    const QString base = root + QStringLiteral("/image/flow/%1_").arg(QLatin1String(side));
    pieces.top.load(base + QStringLiteral("top.png"));
    pieces.center.load(base + QStringLiteral("center.png"));
    pieces.bottom.load(base + QStringLiteral("bottom.png"));
    pieces.textColour = TextColourOn(pieces.center, QLatin1String(side) == QLatin1String("incoming"));
    return pieces;
}

// The images of the current language folder, read once per folder.
const BubbleImages& Images() {
    static std::mutex mutex;
    static BubbleImages images;
    std::lock_guard lock(mutex);
    const QString root = ResourceRoot();
    if (images.root != root || images.incoming.top.isNull()) {
        images.root = root;
        images.incoming = LoadPieces(root, "incoming");
        images.outgoing = LoadPieces(root, "outgoing");
        images.width = images.incoming.center.isNull() ? kFallbackWidth : images.incoming.center.width();
        if (!images.incoming.Complete() || !images.outgoing.Complete())
            qWarning() << "QFlowWidget can't find the bubble images under" << root + "/image/flow";
    }
    return images;
}

int TopHeight(const BubblePieces& pieces) {
    return pieces.top.isNull() ? kFallbackTop : pieces.top.height();
}

int BottomHeight(const BubblePieces& pieces) {
    return pieces.bottom.isNull() ? kFallbackBottom : pieces.bottom.height();
}

QFont DateFont(const QFont& base) {
    QFont font = base;
    if (base.pointSizeF() > 0)
        font.setPointSizeF(std::max(6.0, base.pointSizeF() * 0.85));
    else if (base.pixelSize() > 0)
        font.setPixelSize(std::max(8, int(base.pixelSize() * 0.85)));
    return font;
}

} // namespace

QFlowWidget::QFlowWidget(const QString& text, const QString& dateTime, bool incoming, QWidget* parent)
    : QWidget(parent)
    , m_check(new QCheckBox(this))
    , m_text(ShownText(text))
    , m_dateTime(dateTime)
    , m_incoming(incoming) {
    m_check->setObjectName(QStringLiteral("m_check"));
    m_check->setGeometry(kCheckRect);
    m_check->setCursor(Qt::PointingHandCursor);
    connect(m_check, &QCheckBox::stateChanged, this,
            [this](int state) { emit checkChange(state == Qt::Checked, this); });
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    Relayout();
}

QFlowWidget::~QFlowWidget() = default;

QString QFlowWidget::ShownText(const QString& text) {
    QString shown = text.left(kMaxShownChars);
    // A cut may not split a surrogate pair.
    if (text.size() > kMaxShownChars) {
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown += QChar(0x2026);
    }
    // A text layout breaks lines only at its own separator, not at the newlines a message is typed with.
    shown.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    shown.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return shown;
}

int QFlowWidget::BubbleWidth() {
    return Images().width;
}

int QFlowWidget::FittedBubbleWidth() const {
    // Between the check box column and the right edge; a narrow page gets a narrower bubble.
    const int room = width() - (kCheckRect.right() + 1 + kEdge) - kEdge;
    return std::clamp(room, kMinBubbleWidth, std::max(kMinBubbleWidth, BubbleWidth()));
}

void QFlowWidget::SetAttachments(QList<FlowAttachment> attachments, CAttachmentFiles* files) {
    m_attachments = std::move(attachments);
    if (m_files)
        disconnect(m_files, nullptr, this, nullptr);
    m_files = files;
    if (files) {
        connect(files, &CAttachmentFiles::thumbnailReady, this, [this](const QString& path) {
            for (const FlowAttachment& attachment : m_attachments)
                if (attachment.image && attachment.path == path) {
                    Relayout();
                    return;
                }
        });
    }
    Relayout();
}

bool QFlowWidget::ShowsThumbnail(int index) const {
    return index >= 0 && index < m_attachments.size() && m_attachments[index].image && m_files &&
           !m_files->ReadyThumbnail(m_attachments[index].path).isNull();
}

QRect QFlowWidget::AttachmentRect(int index) const {
    if (index < 0 || index >= m_attachmentSizes.size())
        return {};
    const QRect bubble = BubbleRect();
    const BubblePieces& pieces = m_incoming ? Images().incoming : Images().outgoing;
    int y = bubble.top() + TopHeight(pieces) + kTextMarginTop + m_textHeight + kGap;
    for (int i = 0; i < index; ++i)
        y += m_attachmentSizes[i].height() + kAttachmentGap;
    return {QPoint(bubble.left() + kTextMarginX, y), m_attachmentSizes[index]};
}

void QFlowWidget::SetChecked(bool checked) {
    m_check->setChecked(checked);
}

bool QFlowWidget::IsChecked() const {
    return m_check->isChecked();
}

void QFlowWidget::Relayout() {
    const BubbleImages& images = Images();
    m_laidOutWidth = FittedBubbleWidth();
    const int lineWidth = std::max(40, m_laidOutWidth - 2 * kTextMarginX);
    m_layout = std::make_unique<QTextLayout>(m_text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);
    qreal y = 0;
    m_layout->beginLayout();
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    m_layout->endLayout();
    // A message of attachments alone takes no line for its text.
    m_textHeight = m_text.isEmpty() && !m_attachments.isEmpty()
                       ? 0
                       : std::max(int(std::ceil(y)), fontMetrics().height());

    m_attachmentSizes.clear();
    m_attachmentsHeight = 0;
    for (const FlowAttachment& attachment : m_attachments) {
        QSize size(lineWidth, fontMetrics().height() + 8);
        if (attachment.image && m_files && !m_files->ThumbnailFailed(attachment.path)) {
            const QImage thumbnail = m_files->Thumbnail(attachment.path);
            size = thumbnail.isNull() ? kPendingPicture : thumbnail.size();
            if (size.width() > lineWidth)
                size = size.scaled(lineWidth, size.height(), Qt::KeepAspectRatio);
        }
        m_attachmentSizes.append(size);
        m_attachmentsHeight += size.height() + kAttachmentGap;
    }

    const BubblePieces& pieces = m_incoming ? images.incoming : images.outgoing;
    const int dateHeight = int(std::ceil(QFontMetricsF(DateFont(font())).height())) + 4;
    const int bubble = TopHeight(pieces) + kTextMarginTop + m_textHeight + kGap + m_attachmentsHeight +
                       dateHeight + BottomHeight(pieces);
    m_height = std::max(kMinHeight, bubble + 2 * kOuterMarginY);
    setFixedHeight(m_height);
    updateGeometry();
    update();
}

QSize QFlowWidget::sizeHint() const {
    return {kDefaultWidth, m_height};
}

QSize QFlowWidget::minimumSizeHint() const {
    return {kCheckRect.right() + 1 + 2 * kEdge + kMinBubbleWidth, m_height};
}

QRect QFlowWidget::BubbleRect() const {
    const int bubbleWidth = FittedBubbleWidth();
    const int left = kCheckRect.right() + 1 + kEdge;
    const int x = m_incoming ? left : std::max(left, width() - kEdge - bubbleWidth);
    return {x, kOuterMarginY, bubbleWidth, m_height - 2 * kOuterMarginY};
}

QRect QFlowWidget::DateTimeRect() const {
    const QRect bubble = BubbleRect();
    const BubblePieces& pieces = m_incoming ? Images().incoming : Images().outgoing;
    const QFontMetricsF metrics(DateFont(font()));
    // Two pixels to spare: advances are fractional and eliding compares exactly.
    const int textWidth = int(std::ceil(metrics.horizontalAdvance(m_dateTime))) + 2;
    const int width = std::min(bubble.width() - 2 * kTextMarginX, textWidth + 2 * kDatePadX);
    const int top =
        bubble.top() + TopHeight(pieces) + kTextMarginTop + m_textHeight + kGap + m_attachmentsHeight;
    // Outgoing bubbles keep it on the right, incoming ones on the left, as the bubbles themselves.
    const int x = m_incoming ? bubble.left() + kTextMarginX : bubble.right() + 1 - kTextMarginX - width;
    return {x, top, width, int(std::ceil(metrics.height())) + 4};
}

void QFlowWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const BubbleImages& images = Images();
    const BubblePieces& pieces = m_incoming ? images.incoming : images.outgoing;
    const QRect bubble = BubbleRect();
    const int top = TopHeight(pieces);
    const int bottom = BottomHeight(pieces);
    const int center = std::max(0, bubble.height() - top - bottom);
    if (pieces.Complete()) {
        painter.drawPixmap(QRect(bubble.left(), bubble.top(), bubble.width(), top), pieces.top);
        painter.drawPixmap(QRect(bubble.left(), bubble.top() + top, bubble.width(), center), pieces.center);
        painter.drawPixmap(QRect(bubble.left(), bubble.top() + top + center, bubble.width(), bottom),
                           pieces.bottom);
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_incoming ? QColor(216, 243, 249) : QColor(99, 165, 181));
        painter.drawRoundedRect(bubble.adjusted(0, 0, 0, -4), 10, 10);
    }

    painter.setPen(pieces.textColour.isValid() ? pieces.textColour : QColor(33, 33, 33));
    m_layout->draw(&painter, QPointF(bubble.left() + kTextMarginX, bubble.top() + top + kTextMarginTop));

    PaintAttachments(painter, pieces.textColour.isValid() ? pieces.textColour : QColor(33, 33, 33));

    const QRect dateRect = DateTimeRect();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor fill = pieces.textColour.isValid() ? pieces.textColour : QColor(33, 33, 33);
    fill.setAlpha(28);
    painter.setBrush(fill);
    painter.drawRoundedRect(dateRect, 4, 4);
    QColor dateColour = pieces.textColour.isValid() ? pieces.textColour : QColor(33, 33, 33);
    dateColour.setAlpha(170);
    painter.setPen(dateColour);
    painter.setFont(DateFont(font()));
    const QRect dateText = dateRect.adjusted(kDatePadX, 0, -kDatePadX, 0);
    const QFontMetrics metrics(painter.font());
    painter.drawText(dateText, Qt::AlignVCenter | Qt::AlignLeft,
                     metrics.horizontalAdvance(m_dateTime) <= dateText.width()
                         ? m_dateTime
                         : metrics.elidedText(m_dateTime, Qt::ElideRight, dateText.width()));
}

void QFlowWidget::PaintAttachments(QPainter& painter, const QColor& textColour) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QColor fill = textColour;
    fill.setAlpha(22);
    for (int i = 0; i < m_attachments.size(); ++i) {
        const FlowAttachment& attachment = m_attachments[i];
        const QRect rect = AttachmentRect(i);
        if (ShowsThumbnail(i)) {
            QPainterPath clip;
            clip.addRoundedRect(rect, 8, 8);
            painter.setClipPath(clip);
            painter.drawImage(rect, m_files->ReadyThumbnail(attachment.path));
            painter.setClipping(false);
            continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(rect, 6, 6);
        painter.setPen(textColour);
        const QRect inner = rect.adjusted(8, 0, -8, 0);
        // A picture on its way shows its name in its place; any other file its name and size.
        const QString label =
            attachment.image && m_files && !m_files->ThumbnailFailed(attachment.path)
                ? attachment.name
                : QStringLiteral("%1  \u00b7  %2").arg(attachment.name, attachment.sizeText);
        const Qt::Alignment align = attachment.image && rect.height() > fontMetrics().height() * 2
                                        ? Qt::AlignCenter
                                        : Qt::AlignVCenter | Qt::AlignLeft;
        painter.drawText(inner, align, fontMetrics().elidedText(label, Qt::ElideMiddle, inner.width()));
    }
    painter.restore();
}

void QFlowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    for (int i = 0; i < m_attachments.size(); ++i) {
        if (AttachmentRect(i).contains(event->position().toPoint())) {
            emit attachmentOpened(m_attachments[i].path, m_attachments[i].name);
            event->accept();
            return;
        }
    }
    QWidget::mouseDoubleClickEvent(event);
}

void QFlowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (FittedBubbleWidth() != m_laidOutWidth)
        Relayout();
}

void QFlowWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        Relayout();
    QWidget::changeEvent(event);
}
