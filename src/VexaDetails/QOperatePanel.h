#pragma once

#include <QPixmap>
#include <QWidget>

class QImageButton;
class QSearchWidget;

// The strip above a category's content: add, delete, refresh, search, two custom buttons and the
// list/thumbnail switch.
class QOperatePanel : public QWidget {
    Q_OBJECT
public:
    explicit QOperatePanel(QWidget* parent = nullptr);

    void EnableThumbBtn(bool enable);
    void EnableListBtn(bool enable);
    bool IsThumbBtnEnabled() const;
    bool IsListBtnEnabled() const;
    // Marks which display is active by swapping the two buttons' images.
    void SelectThumb();
    void SelectList();
    // Shows a custom button drawn from `imagePath`; false (and a message) when the image is missing.
    bool setCustomFirst(const QString& imagePath);
    bool setCustomSecond(const QString& imagePath);
    QSearchWidget* SearchWidget() const { return m_searchWidget; }

signals:
    void addOperate();
    void deleteOperate();
    void deleteAllOperate();
    void refreshOperate();
    void searchOperate(const QString& text);
    void thumbOperate();
    void listOperate();
    void customFirst();
    void customSecond();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void InitControls();
    // The images carry the captions; screen readers get them as accessible names.
    void OnLanguageChanged();
    QImageButton* MakeButton(const char* name, const QString& image, bool* allFound);
    bool SetCustom(QImageButton* button, const QString& imagePath);

    QImageButton* m_addBtn = nullptr;
    QImageButton* m_deleteBtn = nullptr;
    QImageButton* m_refreshBtn = nullptr;
    QImageButton* m_thumbBtn = nullptr;
    QImageButton* m_listBtn = nullptr;
    QImageButton* m_customFirstBtn = nullptr;
    QImageButton* m_customSecondBtn = nullptr;
    QSearchWidget* m_searchWidget = nullptr;
    QPixmap m_background;
};
