#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// An album's name that turns into a line edit for renaming. An edit that brings in a character a name
// may not hold (\ / : * ? " < > |) is undone at once, so the edit never shows one.
class RetractLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxNameLength = 255;

    explicit RetractLabel(QWidget* parent = nullptr);

    static bool HasForbiddenCharacter(const QString& text);

    // `shown` is what the label says ("Name(12)"); `name` is what editing starts from.
    void SetText(const QString& shown, const QString& name);
    QString Name() const { return m_name; }
    // The name typed in the last edit that was taken.
    QString NewName() const { return m_newName; }
    void StartEdit();
    bool IsEditing() const;
    QLineEdit* Editor() const { return m_edit; }
    QLabel* Label() const { return m_label; }

signals:
    void emitChangeName();

public slots:
    void RenameOK();
    void NameChange(QString text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndEdit();

    QLabel* m_label;
    QLineEdit* m_edit;
    QString m_name;
    QString m_previous;
    QString m_newName;
};
