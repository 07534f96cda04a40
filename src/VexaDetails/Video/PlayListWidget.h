#pragma once

#include <QListWidget>

class PlayerVideobar;

// The files opened in the player, each shown by its video bar. Its menu plays one, deletes one or
// deletes all.
class PlayListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit PlayListWidget(QWidget* parent = nullptr);

    // Appends a file, or finds it when it is listed already; returns its row. A device video has its
    // device path as source; a local file its local path.
    int AddEntry(const QString& title, const QString& source, bool onDevice);
    QString Source(int row) const;
    QString Title(int row) const;
    bool IsOnDevice(int row) const;
    PlayerVideobar* Bar(int row) const;

public slots:
    void OnLanguageChanged();

signals:
    void emitPlayVideo(QString source);
    void emitDeleteVideo();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* m_actionPlay;
    QAction* m_actionDelete;
    QAction* m_actionDeleteAll;
};
