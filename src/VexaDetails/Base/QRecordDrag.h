#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

#include "IDropSourceCallback.h"
#include "IPhotoSerialAction.h"

class IBaseChunk;
class IVexaManager;
class QDropFileMimeData;
class QWidget;

// One drag of records out of a category table. The records leave as their files (songs as the file
// export names them, apps as packages), offered under a fresh drag folder at once and copied from the
// device only when the drop target asks for them. It lives as long as the drag's data; when the page
// goes before the drop (the device was removed), nothing is copied.
class QRecordDrag : public QObject, public IDropSourceCallback {
    Q_OBJECT
public:
    // The data of a drag of `records` from `page`, copied as the file export of `kind` copies them
    // with the device of `manager`; `failureText` heads the message that names the records that could
    // not be copied. Null when no record names a file, or when the drag folder cannot be made under
    // `parentFolder` (the system's temporary folder when empty; the page says so then).
    static QDropFileMimeData* Prepare(QWidget* page, IVexaManager* manager, int kind,
                                      const std::vector<IBaseChunk*>& records, const QString& failureText,
                                      const QString& parentFolder = QString());

    ~QRecordDrag() override;

    bool OnDrop() override;

private:
    struct Item {
        PhotoSerialEntry entry;
        std::string localPath;
        QString title;
    };

    QRecordDrag(std::unique_ptr<IPhotoSerialAction> action, QString folder, QString failureText);

    std::unique_ptr<IPhotoSerialAction> m_action;
    QString m_folder;
    QString m_failureText;
    std::vector<Item> m_items;
};
