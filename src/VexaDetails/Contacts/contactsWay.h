#pragma once

#include <QWidget>

class QComboBox;
class QImageButton;
class QLineEdit;

// One entry row of the contact editor: a label, the number or address, and buttons that ask for a
// row to be added after this one or for this one to go.
class contactsWay : public QWidget {
    Q_OBJECT
public:
    enum Kind { PhoneKind, EmailKind };

    explicit contactsWay(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    // The label as the device stores it ("home", "mobile", ...), whatever the shown translation.
    QString Label() const;
    QString Value() const;
    // A label outside the offered ones is added to the list, so editing keeps it.
    void SetEntry(const QString& label, const QString& value);
    void Clear();

    // The labels offered for every row, in the order shown.
    static QStringList Labels();

signals:
    void signalAdd(bool checked);
    void signalMinus(bool checked);

public slots:
    void OnLanguageChanged();

private:
    Kind m_kind;
    QComboBox* m_comboLabel;
    QLineEdit* m_lineEdit;
    QImageButton* m_btnAdd;
    QImageButton* m_btnMinus;
};
