#include <functional>
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "AddContactsDlg.h"
#include "CActionStrategyDlg.h"
#include "CSingleDetectiPhone.h"
#include "DeviceTestRegistry.h"
#include "IBaseChunk.h"
#include "MessageCatcher.h"
#include "PostedEvents.h"
#include "QAddDataWidget.h"
#include "QBaseDetailsView.h"
#include "QContactsView.h"
#include "QGroupNameDlg.h"
#include "QMessageDlg.h"
#include "QNavigateWidget.h"
#include "QPlayAnalysisTread.h"
#include "SimDevices.h"
#include "TreeModel.h"
#include "TreeNode.h"

// The device is unplugged while each kind of modal dialog is open over one of its views: the dialog's
// event loop delivers the removal, the views are deleted under the dialog's caller, and the caller
// must come back from the dialog without touching them. Under AddressSanitizer a single stale access
// fails the program; without it the tests still see the crash or the views left behind.

namespace {
const char* const kUdid = "00008101-0000000000000F31";
const char* const kName = "Dialog Phone";
constexpr int kContacts = 6;
constexpr int kTimeout = 10000;
} // namespace

class tst_UnplugDuringDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_navigate = new QNavigateWidget;
        m_navigate->resize(960, 600);
        m_navigate->show();
        // A second run finds the phone from the first one.
        QVERIFY(PlugOrCreate(kUdid, kName, "iPhone8,1",
                             {"--contacts", QString::number(kContacts), "--songs", "2"}));
        QVERIFY(WaitForPhone(true));
    }

    void cleanupTestCase() {
        delete m_navigate;
        m_navigate = nullptr;
        QVERIFY(CSingleDetectiPhone::Instance()->Managers().isEmpty());
        SimCtl({"unplug", kUdid});
    }

    void init() {
        QVERIFY(WaitForPhone(true));
        m_handle = PhoneNode()->DeviceHandle();
    }

    void cleanup() {
        SimCtl({"clear-faults", kUdid});
        if (!PhoneNode()) {
            SimCtl({"plug", kUdid});
            QVERIFY(WaitForPhone(true));
        }
    }

    void questionFromTheContactsView() {
        QContactsView* view = LoadedContacts();
        QVERIFY(view);
        for (IBaseChunk* chunk : *view->ChunkList())
            chunk->SetChecked(true);
        // "Yes" after the removal: nothing may be deleted through a device that is gone.
        UnplugWhileOpen([view] { view->OnDeleteItem(); }, [] { return OpenDialog<QMessageDlg>(); },
                        [](QDialog* dialog) { static_cast<QMessageDlg*>(dialog)->OnBtnOk(); });
        CheckPhoneGoneAndBack();
        QCOMPARE(LoadedContacts()->GetChunkCount(), kContacts);
    }

    void batchDeleteProgress() {
        QContactsView* view = LoadedContacts();
        QVERIFY(view);
        // Each deletion takes a while, so the progress dialog is up when the cable goes.
        QCOMPARE(SimCtl({"fault", kUdid, "DeleteContact", "0", "--delay-ms", "300"}), 0);
        for (IBaseChunk* chunk : *view->ChunkList())
            chunk->SetChecked(true);
        bool confirmed = false;
        // The question comes first and is answered yes; the progress dialog follows inside the same call.
        QTimer yes;
        connect(&yes, &QTimer::timeout, this, [&] {
            if (QMessageDlg* question = OpenDialog<QMessageDlg>()) {
                confirmed = true;
                question->OnBtnOk();
            }
        });
        yes.start(20);
        // The dialog closes itself when the removal stops the worker; nothing is answered.
        UnplugWhileOpen([view] { view->OnDeleteItem(); }, [] { return OpenDialog<CActionStrategyDlg>(); },
                        [](QDialog*) {});
        yes.stop();
        QVERIFY(confirmed);
        CheckPhoneGoneAndBack();
        // The worker stopped before it got through every checked contact.
        QVERIFY(LoadedContacts()->GetChunkCount() > 0);
    }

    void contactEditor() {
        QContactsView* view = LoadedContacts();
        QVERIFY(view);
        UnplugWhileOpen([view] { view->OnAddContact(); }, [] { return OpenDialog<AddContactsDlg>(); },
                        [](QDialog* dialog) { dialog->done(AddContactsDlg::kAccepted); });
        CheckPhoneGoneAndBack();
        QCOMPARE(LoadedContacts()->GetChunkCount(), kContacts);
    }

    void groupNameDialog() {
        QContactsView* view = LoadedContacts();
        QVERIFY(view);
        UnplugWhileOpen([view] { view->OnNewGroup(QString()); }, [] { return OpenDialog<QGroupNameDlg>(); },
                        [](QDialog* dialog) { dialog->done(1); });
        CheckPhoneGoneAndBack();
    }

    void loadFailureMessage() {
        QContactsView* view = LoadedContacts();
        QVERIFY(view);
        QCOMPARE(SimCtl({"fault", kUdid, "GetContacts", "-1"}), 0);
        // The message comes from the load's queued report; the test waits inside the message's loop.
        UnplugWhileMessage([view] { view->OnRefreshContacts(); });
        CheckPhoneGoneAndBack();
    }

    void playlistFailureFromTheLoader() {
        QVERIFY(PhoneNode());
        QCOMPARE(SimCtl({"fault", kUdid, "AddPlaylist", "-1"}), 0);
        // The loader's worker meets the failure; its message opens on the interface thread a moment later,
        // while the loader would go on to reload.
        UnplugWhileMessage([this] { emit m_navigate->NewPlayList(m_handle, QStringLiteral("Road")); });
        CheckPhoneGoneAndBack();
    }

    void missingPictureMessageOfAView() {
        QContactsView* view = LoadedContacts();
        QVERIFY(view);
        // A widget of the kit reports a missing picture later, never from inside the setter, whose caller
        // (a view) could otherwise be deleted under it.
        bool openedInsideTheSetter = true;
        UnplugWhileMessage([view, &openedInsideTheSetter] {
            openedInsideTheSetter =
                view->AddWidget()->setLabelImage(QStringLiteral("/nonexistent/picture.png")) ||
                OpenDialog<QMessageDlg>() != nullptr;
        });
        QVERIFY(!openedInsideTheSetter);
        CheckPhoneGoneAndBack();
    }

private:
    TreeNode* PhoneNode() const { return NodeNamed(m_navigate, QLatin1String(kName)); }

    // Waits until the program shows the phone, or has let go of it; false when it did not in time.

    bool WaitForPhone(bool shown) const {
        return QTest::qWaitFor([this, shown] { return (PhoneNode() != nullptr) == shown; }, kTimeout);
    }

    QContactsView* LoadedContacts() {
        TreeNode* phone = PhoneNode();
        TreeNode* node = phone ? phone->FindChildOfKind(SUB_ITEM_CONTACTS) : nullptr;
        auto* view = node ? qobject_cast<QContactsView*>(node->Binding().view) : nullptr;
        if (!view)
            return nullptr;
        m_navigate->ClickTreeViewItem(m_navigate->Model()->IndexOf(node));
        if (!QTest::qWaitFor([view] { return !view->IsRunning() && view->GetChunkCount() == kContacts; },
                             kTimeout))
            return nullptr;
        return view;
    }

    // Runs `open`, which blocks in a modal dialog's event loop. Once `dialogShown` sees the dialog,
    // the phone is unplugged and its removal waited for inside that loop; then `answer` closes the
    // dialog (when it is still open: a view's dialog goes with the view). Fails when the dialog never
    // appeared or the removal never came.
    void UnplugWhileOpen(const std::function<void()>& open, const std::function<QDialog*()>& dialogShown,
                         const std::function<void(QDialog*)>& answer);
    // The same for a message that `tell` brings up later, from a queued report: waits inside its loop.
    void UnplugWhileMessage(const std::function<void()>& tell) {
        UnplugWhileOpen(
            [this, tell] {
                tell();
                (void)WaitForPhone(false);
            },
            [] { return OpenDialog<QMessageDlg>(); }, [](QDialog* dialog) { dialog->reject(); });
    }
    // After the dialog: nothing of the phone is left, no dialog stays open, and the phone comes back
    // working when plugged in again.

    void CheckPhoneGoneAndBack() {
        // Deferred deletions run once the event loop gets control back.
        QTRY_VERIFY_WITH_TIMEOUT(!PhoneObjectsLeft(), kTimeout);
        QVERIFY(!PhoneNode());
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<QDialog*>(widget) || !widget->isVisible(),
                     qPrintable(widget->objectName()));
        QCOMPARE(SimCtl({"clear-faults", kUdid}), 0);
        QCOMPARE(SimCtl({"plug", kUdid}), 0);
        QVERIFY(WaitForPhone(true));
        QVERIFY(LoadedContacts());
    }

    bool PhoneObjectsLeft() const {
        for (QBaseDetailsView* view : m_navigate->findChildren<QBaseDetailsView*>()) {
            if (view->DeviceHandle() == m_handle)
                return true;
        }
        // One playlist loader per device; the phone is the only one.
        return !m_navigate->findChildren<QPlayAnalysisTread*>().isEmpty();
    }

    template <typename T> static T* OpenDialog() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<T*>(widget);
            if (dialog && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    // Closes stray messages (a missing picture, say) except while a test keeps its own dialog open.
    std::unique_ptr<MessageCatcher> m_catcher = std::make_unique<MessageCatcher>();
    QNavigateWidget* m_navigate = nullptr;
    int m_handle = -1;
};

void tst_UnplugDuringDialog::UnplugWhileOpen(const std::function<void()>& open,
                                             const std::function<QDialog*()>& dialogShown,
                                             const std::function<void(QDialog*)>& answer) {
    bool unplugged = false;
    bool removed = false;
    QPointer<QDialog> dialog;
    QTimer poll;
    // Runs inside the dialog's own event loop.
    connect(&poll, &QTimer::timeout, this, [&] {
        if (!unplugged) {
            dialog = dialogShown();
            if (!dialog)
                return;
            unplugged = true;
            SimCtl({"unplug", kUdid});
            return;
        }
        if (!removed) {
            removed = !PhoneNode() && !CSingleDetectiPhone::Instance()->ManagerOf(m_handle);
            return;
        }
        poll.stop();
        if (dialog && dialog->isVisible())
            answer(dialog);
    });
    // Messages told later by widgets that were just built go to the catcher first.
    QVERIFY(RunPostedEvents());
    m_catcher.reset();
    poll.start(20);
    open();
    poll.stop();
    m_catcher = std::make_unique<MessageCatcher>();
    QVERIFY2(unplugged, "the dialog never appeared");
    // A dialog of a removed view, or a batch the removal stopped, closes with the removal itself.
    QVERIFY2(removed ||
                 QTest::qWaitFor(
                     [this] { return !PhoneNode() && !CSingleDetectiPhone::Instance()->ManagerOf(m_handle); },
                     kTimeout),
             "the removal did not reach the program");
}

VEXA_DEVICE_TEST(tst_UnplugDuringDialog);
#include "tst_UnplugDuringDialog.moc"
