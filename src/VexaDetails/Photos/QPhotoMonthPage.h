#pragma once

#include <memory>

#include <QWidget>

class CPhotoList;
class CPhotoMonthGroups;
class IPhotoLibrary;
class QComboBox;
class QLabel;
class QMovie;
class QPhotoGridView;
class QPhotoStretchThread;
class QStackedWidget;

// Photos by month, as the photo page and an open album show them: the month combo box above the grid,
// the loading animation while the list is read, and a line of text when there is nothing to show.
// The page owns the thumbnail thread of its grid.
class QPhotoMonthPage : public QWidget {
    Q_OBJECT
public:
    QPhotoMonthPage(IPhotoLibrary* library, QWidget* parent = nullptr);
    ~QPhotoMonthPage() override;

    void ShowLoading();
    void SetPhotos(std::shared_ptr<CPhotoList> list, std::shared_ptr<CPhotoMonthGroups> groups);

    QPhotoGridView* Grid() const { return m_grid; }
    QComboBox* DateCombo() const { return m_dateCombo; }
    QPhotoStretchThread* StretchThread() const { return m_thread.get(); }
    bool IsLoading() const;
    void Retranslate();

signals:
    void emitDoubleClicked(int index);

public slots:
    void OnDateComboBoxChanged(QString key);

private slots:
    void OnTopGroupChanged(int group);

private:
    std::unique_ptr<QPhotoStretchThread> m_thread;
    QComboBox* m_dateCombo;
    QLabel* m_dateLabel;
    QStackedWidget* m_stack;
    QLabel* m_loadingWidget;
    QMovie* m_movie;
    QLabel* m_emptyLabel;
    QPhotoGridView* m_grid;
};
