#pragma once

#include <QWidget>

class QImageButton;
class QLabel;

// Shown instead of the table when a category has no records: its picture (or, for a category without
// one, a line of text) and an add button when the category has an image for it.
class QAddDataWidget : public QWidget {
    Q_OBJECT
public:
    explicit QAddDataWidget(QWidget* parent = nullptr);

    // False (and a message naming the file) when the picture cannot be loaded. A picture from the
    // current language's folder is loaded again from the new folder when the language changes.
    bool setLabelImage(const QString& imagePath);
    bool setAddButtonImage(const QString& imagePath);
    // Shown in place of a picture the category does not have.
    void SetEmptyText(const QString& text);
    QImageButton* AddButton() const { return m_btnAdd; }

signals:
    void clickAdd();

private:
    void OnLanguageChanged();

    QLabel* m_label = nullptr;
    // The picture's name inside the language folder it was loaded from; empty when it lies elsewhere.
    QString m_labelImageRoot;
    QString m_labelImageName;
    QImageButton* m_btnAdd = nullptr;
    bool m_hasPicture = false;
};
