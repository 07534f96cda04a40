#pragma once

#include <QFrame>

#include "CAlbumInfo.h"
#include "indexPhoto.h"

class QCheckBox;
class QLabel;
class RetractLabel;

// One album on the album page: its cover, a check box and its name with the photo count, "%1(%2)"
// ("PhotoStream(%2)" for the photo stream). Double-clicking the cover opens the album; double-clicking
// the name starts renaming it.
class PicItemTotal : public QFrame {
    Q_OBJECT
public:
    explicit PicItemTotal(const CAlbumInfo& album, QWidget* parent = nullptr);

    const CAlbumInfo& Album() const { return m_album; }
    bool IsChecked() const;
    void SetChecked(bool checked);
    RetractLabel* NameLabel() const { return m_name; }
    QCheckBox* CheckBox() const { return m_check; }
    QString ShownText() const;
    void Retranslate();
    // A name that may not be changed opens the album on a double click as the cover does.
    void SetNameEditable(bool editable) { m_nameEditable = editable; }

signals:
    void emitDoubleClicked(char* id, IPhotoAlbumType type);
    void emitChangeName(char* id, QString name);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private slots:
    void OnNameChanged();

private:
    CAlbumInfo m_album;
    QLabel* m_cover;
    QCheckBox* m_check;
    RetractLabel* m_name;
    bool m_nameEditable = true;
};
