#include "QImageButton.h"

#include <QDebug>
#include <QEnterEvent>
#include <QPainter>

#include "LanguageService.h"
#include "QProUtil.h"
#include "WidgetColors.h"

QImageButton::QImageButton(QWidget* parent)
    : QPushButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(QProUtil::instance(), &QProUtil::languageChanged, this, &QImageButton::OnLanguageChanged);
}

bool QImageButton::SetImages(const QString& stripPath, int states) {
    if (!LoadStrip(stripPath, states))
        return false;
    Remember({stripPath}, states);
    return true;
}

bool QImageButton::SetImages(const QString& normal, const QString& hover, const QString& pressed,
                             const QString& disabled) {
    const QStringList paths{normal, hover, pressed, disabled};
    if (!LoadFiles(paths))
        return false;
    Remember(paths, StateCount);
    return true;
}

void QImageButton::Remember(const QStringList& paths, int states) {
    m_paths = paths;
    m_states = states;
    const QString root = ResourceRoot() + QLatin1Char('/');
    m_languageRoot = paths.first().startsWith(root) ? root : QString();
}

void QImageButton::OnLanguageChanged() {
    const QString root = ResourceRoot() + QLatin1Char('/');
    if (m_languageRoot.isEmpty() || m_languageRoot == root)
        return;
    QStringList paths;
    for (const QString& path : std::as_const(m_paths))
        paths.append(root + path.mid(m_languageRoot.size()));
    // A language folder that lacks the image keeps the one shown, rather than a bare button.
    const bool loaded = paths.size() == 1 ? LoadStrip(paths.first(), m_states) : LoadFiles(paths);
    if (loaded)
        Remember(paths, m_states);
}

bool QImageButton::LoadStrip(const QString& stripPath, int states) {
    QPixmap strip;
    if (states < 1 || !strip.load(stripPath) || strip.width() < states) {
        qDebug() << "QImageButton::SetImages can't load" << stripPath << "with" << states << "states";
        return false;
    }
    const int frameWidth = strip.width() / states;
    std::array<QPixmap, StateCount> frames;
    for (int state = 0; state < StateCount; ++state) {
        frames[state] =
            state < states ? strip.copy(state * frameWidth, 0, frameWidth, strip.height()) : frames[Normal];
    }
    ApplyFrames(frames);
    return true;
}

bool QImageButton::LoadFiles(const QStringList& paths) {
    std::array<QPixmap, StateCount> frames;
    for (int state = 0; state < StateCount; ++state) {
        if (!frames[state].load(paths[state])) {
            qDebug() << "QImageButton::SetImages can't load" << paths[state];
            return false;
        }
    }
    ApplyFrames(frames);
    return true;
}

void QImageButton::ApplyFrames(const std::array<QPixmap, StateCount>& frames) {
    m_frames = frames;
    setFixedSize(m_frames[Normal].size());
    updateGeometry();
    update();
}

QImageButton::State QImageButton::CurrentState() const {
    if (!isEnabled()) {
        return Disabled;
    }
    if (isDown() || isChecked()) {
        return Pressed;
    }
    return m_hovered ? Hover : Normal;
}

QSize QImageButton::sizeHint() const {
    return HasImages() ? m_frames[Normal].size() : QPushButton::sizeHint();
}

void QImageButton::paintEvent(QPaintEvent* event) {
    if (!HasImages()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_frames[CurrentState()]);
    // Most images carry their caption; a text set in code is drawn over the image.
    if (!text().isEmpty()) {
        painter.setPen(isEnabled() ? WidgetColors::kText : Qt::gray);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
}

void QImageButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void QImageButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}
