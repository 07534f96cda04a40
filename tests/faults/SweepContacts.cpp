#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>

#include <vexa/vexa.h>

#include "AddContactsDlg.h"
#include "AddContactsWidget.h"
#include "CContactChunk.h"
#include "DeviceSubItem.h"
#include "DialogAnswerer.h"
#include "FaultSweep.h"
#include "PostedEvents.h"
#include "QContactsModel.h"
#include "QContactsView.h"
#include "QGroupNameDlg.h"
#include "QMySortModel.h"
#include "QNavigateWidget.h"
#include "QOperatePanel.h"
#include "SweepKit.h"
#include "TreeModel.h"
#include "TreeNode.h"

namespace {

// Fills the contact editor when it opens and accepts it right after the sweep's hook.
void AnswerEditor(SweepDevice& device, const QString& first, const QString& last, const QString& group) {
    device.Dialogs()->WhenShown<AddContactsDlg>([&device, first, last, group](AddContactsDlg* dialog) {
        AddContactsWidget* form = dialog->Form();
        if (!first.isNull())
            form->findChild<QLineEdit*>(QStringLiteral("m_btn_firstName"))->setText(first);
        form->findChild<QLineEdit*>(QStringLiteral("m_btn_lastName"))->setText(last);
        if (!group.isEmpty()) {
            auto* groups = form->findChild<QComboBox*>(QStringLiteral("m_btn_group"));
            groups->setCurrentIndex(std::max(0, int(groups->findText(group))));
        }
        device.JustBeforeCall();
        dialog->OnBtnYes();
    });
}

bool HasContact(const SweepDevice& device, const QString& line) {
    return device.DeviceContacts().contains(line);
}

// The contact the "add" actions create, under a name no earlier cell used.
QString g_lastFirst;

bool AddThroughEditor(SweepDevice& device, const QString& group) {
    QPointer<QContactsView> view = device.LoadedContacts();
    if (!view)
        return false;
    g_lastFirst = QStringLiteral("Fault%1").arg(device.Next());
    AnswerEditor(device, g_lastFirst, QStringLiteral("Sweep"), group);
    const int before = int(device.Dialogs()->Messages().size());
    emit view->OperatePanel()->addOperate();
    RunPostedEvents();
    return device.Dialogs()->Messages().size() == before;
}

QString g_lastGroup;

void EnsureUserGroup(SweepDevice& device) {
    g_lastGroup = QStringLiteral("Group%1").arg(device.Next());
    device.WithManager([](IVexaManager* manager) {
        return manager->GetContactService()->CreateGroup(g_lastGroup.toUtf8().constData()) == 0;
    });
    device.LoadedContacts();
}

void EnsureContact(SweepDevice& device) {
    device.WithManager([&device](IVexaManager* manager) {
        const QByteArray first = QStringLiteral("Kept%1").arg(device.Next()).toUtf8();
        ContactRecord record{};
        record.firstName = first.constData();
        record.lastName = "Sweep";
        return manager->GetContactService()->SaveContact(&record, 0) == 0;
    });
    device.LoadedContacts();
}

} // namespace

void AddContactsOperations(std::vector<SweepOperation>& operations) {
    operations.push_back({
        .call = {"GetContacts", "Refresh on the contacts page (loader thread)",
                 "Get Contact information failed!"},
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.ContactsView();
                if (!view)
                    return false;
                device.Press(device.Category(SUB_ITEM_CONTACTS));
                QSignalSpy listed(view.data(), &QContactsView::emitRefreshContactsNode);
                QSignalSpy finished(view.data(), &QBaseDetailsView::loadFinished);
                device.JustBeforeCall();
                emit view->OperatePanel()->refreshOperate();
                return Await(view, [&] { return !view->IsRunning() && finished.count() > 0; }) &&
                       !listed.isEmpty();
            },
        .verify =
            [](SweepDevice& device) {
                QContactsView* view = device.ContactsView();
                return view && view->GetChunkCount() ==
                                   int(device.DeviceContacts().filter(QStringLiteral("|")).size());
            },
    });

    operations.push_back({
        .call = {"SaveContact", "Add Contact in the contacts page's editor", "Add contact failed!"},
        .worker = false,
        .act = [](SweepDevice& device) { return AddThroughEditor(device, QString()); },
        .verify =
            [](SweepDevice& device) { return HasContact(device, g_lastFirst + QStringLiteral("|Sweep|")); },
    });

    operations.push_back({
        .call = {"SaveContact", "Edit a contact's row in the editor", "Modify contact failed!"},
        .worker = false,
        .prepare = EnsureContact,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.LoadedContacts();
                if (!view || view->SortModel()->rowCount() == 0)
                    return false;
                view->ClickTableView(view->SortModel()->index(0, 0));
                auto* chunk = static_cast<CContactChunk*>(view->ContactsModel()->ChunkAt(
                    view->SortModel()->mapToSource(view->SortModel()->index(0, 0)).row()));
                if (!view->StatusPanel() || !chunk)
                    return false;
                g_lastFirst = QString::fromStdString(chunk->firstName);
                const QString last = QStringLiteral("Edited%1").arg(device.Next());
                AnswerEditor(device, QString(), last, QString());
                const int before = int(device.Dialogs()->Messages().size());
                emit view->StatusPanel()->ClickEdit();
                RunPostedEvents();
                g_lastFirst += QLatin1Char('|') + last;
                return device.Dialogs()->Messages().size() == before;
            },
        .verify =
            [](SweepDevice& device) {
                return !device.DeviceContacts().filter(g_lastFirst + QLatin1Char('|')).isEmpty();
            },
    });

    operations.push_back({
        .call = {"SetContactGroups", "Add Contact with a group chosen in the editor",
                 "The contact was saved, but not put in its group!"},
        .worker = false,
        .unplugBeforeByFault = true,
        .earlierChange = QStringLiteral("the contact is saved before its group is set"),
        .act = [](SweepDevice& device) { return AddThroughEditor(device, QStringLiteral("Family")); },
        .verify =
            [](SweepDevice& device) {
                return HasContact(device, g_lastFirst + QStringLiteral("|Sweep|Family"));
            },
    });

    operations.push_back({
        .call = {"DeleteContact", "check a contact, Delete, answer yes (batch delete worker)",
                 "Some contacts could not be deleted from the device!"},
        .prepare = EnsureContact,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.LoadedContacts();
                if (!view || view->GetChunkCount() == 0)
                    return false;
                const QString target = QStringLiteral("Kept");
                QString first;
                for (int row = 0; row < view->GetChunkCount(); ++row) {
                    auto* chunk = static_cast<CContactChunk*>(view->GetChunk(row));
                    const bool pick =
                        first.isEmpty() && QString::fromStdString(chunk->firstName).startsWith(target);
                    if (pick)
                        first = QString::fromStdString(chunk->firstName);
                    chunk->SetChecked(pick);
                }
                if (first.isEmpty())
                    return false;
                g_lastFirst = first;
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                const int before = int(device.Dialogs()->Messages().size());
                emit view->OperatePanel()->deleteOperate();
                RunPostedEvents();
                // A view that went with its device did not delete anything.
                if (!view)
                    return false;
                // The question is the one message a healthy delete shows.
                return device.Dialogs()->Messages().size() == before + 1;
            },
        .verify =
            [](SweepDevice& device) {
                return device.DeviceContacts().filter(g_lastFirst + QLatin1Char('|')).isEmpty();
            },
    });

    operations.push_back({
        .call = {"CreateGroup", "New group from a contact group's menu in the tree", "Create group failed!"},
        .worker = false,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.LoadedContacts();
                TreeNode* family = ChildNamed(device.Category(SUB_ITEM_CONTACTS), QStringLiteral("Family"));
                if (!view || !family)
                    return false;
                g_lastGroup = QStringLiteral("Group%1").arg(device.Next());
                device.Dialogs()->WhenShown<QGroupNameDlg>([&device](QGroupNameDlg* dialog) {
                    dialog->SetGroupName(g_lastGroup);
                    device.JustBeforeCall();
                    dialog->OnBtnOk();
                });
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(family));
                const auto before = device.Dialogs()->Messages().size();
                device.Navigate()->OnActionNewContact();
                Await(view, [&] { return !view->IsRunning(); });
                return device.Dialogs()->Messages().size() == before;
            },
        .verify = [](SweepDevice& device) { return HasContact(device, QLatin1Char('#') + g_lastGroup); },
    });

    operations.push_back({
        .call = {"RenameGroup", "rename a contact group in the tree", "Rename group failed!"},
        .worker = false,
        .prepare = EnsureUserGroup,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.ContactsView();
                if (!view)
                    return false;
                const QString from = g_lastGroup;
                g_lastGroup = QStringLiteral("Renamed%1").arg(device.Next());
                const int before = int(device.Dialogs()->Messages().size());
                device.JustBeforeCall();
                QMetaObject::invokeMethod(view, "OnRenameGroup", Q_ARG(QString, from),
                                          Q_ARG(QString, g_lastGroup));
                Await(view, [&] { return !view->IsRunning(); });
                return device.Dialogs()->Messages().size() == before;
            },
        .verify = [](SweepDevice& device) { return HasContact(device, QLatin1Char('#') + g_lastGroup); },
    });

    operations.push_back({
        .call = {"DeleteGroup", "Delete group from its menu in the tree, answer yes", "Delete group failed!"},
        .worker = false,
        .prepare = EnsureUserGroup,
        .act =
            [](SweepDevice& device) {
                QPointer<QContactsView> view = device.ContactsView();
                TreeNode* group = ChildNamed(device.Category(SUB_ITEM_CONTACTS), g_lastGroup);
                if (!view || !group)
                    return false;
                device.Dialogs()->BeforeNextYes([&device] { device.JustBeforeCall(); });
                device.Navigate()->PrepareTreeMenu(device.Navigate()->Model()->IndexOf(group));
                const int before = int(device.Dialogs()->Messages().size());
                device.Navigate()->OnActionDelContact();
                Await(view, [&] { return !view->IsRunning(); });
                return device.Dialogs()->Messages().size() == before + 1;
            },
        .verify = [](SweepDevice& device) { return !HasContact(device, QLatin1Char('#') + g_lastGroup); },
    });
}
