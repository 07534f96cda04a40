#pragma once

#include <list>
#include <memory>
#include <mutex>

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>

#include "DeviceSubItem.h"
#include "LoadHandoff.h"
#include "QBaseDetailsView.h"
#include "QContactStatusPanel.h"

class CContactChunk;
class CReadOnlyPage;
class CSnapshotPage;
class IContactService;
class QAction;
class QContactsModel;
class QMenu;
struct ContactFormData;

// The contacts category of one device (object name "QContactsView"): lists the address book on its
// own thread, and adds, edits, deletes and exports contacts and manages the groups.
class QContactsView : public QBaseDetailsView {
    Q_OBJECT
public:
    QContactsView(IVexaManager* manager, int deviceHandle, QWidget* parent = nullptr);
    ~QContactsView() override;

    // Records leave the list only through a load, an edit or the batch delete.
    bool RemoveChunk(int index) override;

    // Names of all groups of the last load, in the device's order.
    const QStringList& GroupNames() const { return m_groupNames; }
    // The group whose members the table shows; empty when it shows every contact.
    const QString& ShownGroup() const { return m_shownGroup; }
    IContactService* ContactService() const { return m_service; }
    QContactsModel* ContactsModel() const { return m_model; }
    // The contact the row actions (edit, export, delete this) work on.
    CContactChunk* ActionContact() const { return m_actionContact; }
    QContactStatusPanel* StatusPanel() const { return m_statusPanel; }
    // True when the last finished load listed the device's contacts; false before the first.
    bool LastLoadListed() const { return m_lastLoadListed; }
    // Sets up the context menu for a right click at `pos` (table viewport coordinates).
    QMenu* PrepareContextMenu(const QPoint& pos);

signals:
    void addContactNum(int deviceHandle, int state, tagDeviceSubItem item);
    void emitCloseBtnEnable(bool enable);
    void emitRefresh();
    void emitError(int code);
    void beginExecute();
    void endExecute();
    void emitRefreshContactsNode(int deviceHandle);

public slots:
    void OnSearchString(const QString& text) override;
    void OnRightClicked(const QPoint& pos);
    void OnDeleteItem();
    void OnAddContact();
    void OnRefreshContacts();
    void OnDeleteSelectItem();
    void ClickTableView(const QModelIndex& index);
    void OnResetDoneModel();
    void OnEditIndex();
    void OnTransfer();
    void OnError(int code);
    void OnbeginExecute();
    void OnEndExecute();
    void OnLanguageChanged() override;
    // Group actions of the navigation tree; each reloads the contacts when the device agreed.
    void OnNewGroup(const QString& pressedGroup);
    void OnDeleteGroup(const QString& group);
    void OnRenameGroup(const QString& oldName, const QString& newName);
    // Shows only the members of `group` (its node was pressed); an empty name shows everyone.
    void ShowGroup(const QString& group);

protected:
    void Run() override;
    QString Caption() const override;

private:
    struct LoadResult {
        bool ok = false;
        std::list<IBaseChunk*> chunks;
        QStringList groupNames;
        ~LoadResult();
    };

    void InitEmptyPanel();
    void RetranslateUi();
    void ClearActionCell();
    void ForgetActionContacts();
    bool Contains(const CContactChunk* chunk) const;
    // Puts the chosen group on a saved contact when it differs from `previousGroup`.
    // Puts the contact in the chosen group on the device; false when the device refused.
    bool ApplyGroup(CContactChunk& chunk, const std::string& group, const std::string& previousGroup);
    static QString GroupFailedText();
    // Deletes the checked records of `list` behind the progress dialog.
    // False when the device went away during the batch dialog; the view is then halted or gone.
    bool RunBatchDelete(std::list<IBaseChunk*>* list);
    void ShowRecords();

    IContactService* m_service;
    CReadOnlyPage* m_readOnly = nullptr;
    CSnapshotPage* m_snapshot = nullptr; // null unless the device is read through a snapshot
    QContactsModel* m_model;
    std::list<IBaseChunk*> m_records;
    QStringList m_groupNames;
    QString m_shownGroup;
    QMenu* m_menu = nullptr;
    QAction* m_actionAdd = nullptr;
    QAction* m_actionDelete = nullptr;
    QAction* m_actionExport = nullptr;
    QPointer<QContactStatusPanel> m_statusPanel;
    QPersistentModelIndex m_statusIndex; // the table cell that holds m_statusPanel
    CContactChunk* m_actionContact = nullptr;
    CContactChunk* m_rightClickedContact = nullptr;
    int m_rightClickedRow = -1;
    bool m_lastLoadListed = false;

    LoadHandoff<LoadResult> m_pending;  // handed from the loading thread to OnEndExecute
    LoadHandoff<LoadResult> m_replaced; // the records a load replaced, freed by the next load's thread
};
