#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <array>

// A push button drawn from images, one per state: normal, hover, pressed, disabled. Until images are
// set (or when they fail to load) it looks like an ordinary push button. Images taken from the
// current language's folder carry that language's words, so a language switch loads them again from
// the new language's folder.
class QImageButton : public QPushButton {
    Q_OBJECT
public:
    enum State { Normal, Hover, Pressed, Disabled, StateCount };

    explicit QImageButton(QWidget* parent = nullptr);

    // One horizontal strip of `states` equal frames in the order above; states the strip lacks reuse
    // the normal frame. Resizes the button to one frame.
    bool SetImages(const QString& stripPath, int states = StateCount);
    bool SetImages(const QString& normal, const QString& hover, const QString& pressed,
                   const QString& disabled);
    bool HasImages() const { return !m_frames[Normal].isNull(); }
    // The file of the normal state as last set; empty without images.
    QString ImageSource() const { return m_paths.isEmpty() ? QString() : m_paths.first(); }
    State CurrentState() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ApplyFrames(const std::array<QPixmap, StateCount>& frames);
    bool LoadStrip(const QString& stripPath, int states);
    bool LoadFiles(const QStringList& paths);
    void Remember(const QStringList& paths, int states);
    void OnLanguageChanged();

    std::array<QPixmap, StateCount> m_frames;
    // What the frames were loaded from: one strip (with m_states) or one file per state, and the
    // language folder they lie in (empty when they lie elsewhere).
    QStringList m_paths;
    int m_states = StateCount;
    QString m_languageRoot;
    bool m_hovered = false;
};
