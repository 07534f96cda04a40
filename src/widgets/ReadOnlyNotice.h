#pragma once

#include <QLabel>

// The one line a page shows above its content when the device's content of that kind can be read but
// not changed here (ContentWriteAccess): why, and where the change can be made instead. Hidden while the
// content is writable. The text follows a live language switch.
class ReadOnlyNotice : public QLabel {
    Q_OBJECT
public:
    enum Content { Photos, Music, Videos, Playlists, Books, Contacts, Messages, Calls };

    ReadOnlyNotice(Content content, QWidget* parent = nullptr);

    // One of ContentWriteAccess's values; shows or hides the line.
    void SetAccess(int access);
    int Access() const { return m_access; }
    bool IsReadOnly() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    const Content m_content;
    int m_access = 0;
};
