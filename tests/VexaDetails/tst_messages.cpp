#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <vexa/vexa.h>

#include "CAttachmentFiles.h"
#include "CDesktopOpen.h"
#include "CMessageChunk.h"
#include "CMessageRecords.h"
#include "CRecordFileExport.h"
#include "FormatSize.h"
#include "LanguageService.h"
#include "PageFixture.h"
#include "QAddDataWidget.h"
#include "QFlowWidget.h"
#include "QImageButton.h"
#include "QMessageDlg.h"
#include "QMessageFlow.h"
#include "QMessageModel.h"
#include "QMySortModel.h"
#include "QOperatePanel.h"
#include "QPagedFlowViewerWidget.h"
#include "QRecordExportDialog.h"
#include "TestFiles.h"
#include "WhenShown.h"
#include "qmessageView.h"
#include "sim/ContentServices.h"

using vexa::sim::SimConversation;
using vexa::sim::SimMessage;

namespace {

const char* const kUdid = "00008101-00000000000E55A9";
const QString kUnlock = QStringLiteral("Please unlock your device first, and then try again!");

// A conversation of `count` messages, alternating received and sent from the first.
SimConversation Numbered(const char* address, const char* name, int count) {
    SimConversation conversation{address, name ? std::optional<std::string>(name) : std::nullopt, {}};
    for (int m = 0; m < count; ++m)
        conversation.messages.push_back({uint8_t(m % 2),
                                         "2026-03-01 10:" + std::to_string(10 + m % 50) + ":00",
                                         "Message " + std::to_string(m + 1)});
    return conversation;
}

// `count` unchecked incoming items "m0", "m1", ...
QList<QPagedFlowViewerWidget::Item> Items(int count) {
    QList<QPagedFlowViewerWidget::Item> items;
    for (int i = 0; i < count; ++i)
        items.append({QStringLiteral("m%1").arg(i), "t", true, nullptr, false});
    return items;
}

} // namespace

class tst_messages : public QObject, PageFixture {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(StartPage(kUdid, "Messages Phone"));
        QVERIFY(m_manager->GetDeviceService());
    }

    void cleanupTestCase() { StopPage(); }

    void init() {
        m_messages->Clear();
        SetConversations({});
    }

    void cleanup() { ClearFaults(); }

    void recordsFollowTheDeviceList() {
        // A picture known by its type identifier alone, and a document.
        const MessageAttachmentRecord files[2] = {
            {"IMG_1.HEIC", "", "public.heic", 2048, "~/Library/SMS/Attachments/ab/01/G1/IMG_1.HEIC"},
            {nullptr, "application/pdf", nullptr, -1, "~/Library/SMS/Attachments/ab/01/G2/plan.pdf"}};
        MessageRecord first[4] = {{0, 0, "2026-01-01 08:00:00", "in", 2, files},
                                  {0, 1, "2026-01-01 08:01:00", "out", 0, nullptr},
                                  {0, 7, nullptr, nullptr, 0, nullptr},
                                  {0, 255, "d", "last", 0, nullptr}};
        ConversationRecord conversations[3] = {{"+1 555 0101", "Ann", 4, first},
                                               {"+1 555 0102", nullptr, 0, nullptr},
                                               {nullptr, "No number", 0, first}};
        const ConversationList list{3, conversations};
        std::list<IBaseChunk*> chunks = MessageRecords::BuildChunks(list);
        // Name, number and message count of each; a zero count never reads the array.
        QStringList shown;
        for (IBaseChunk* chunk : chunks) {
            const auto* conversation = static_cast<CMessageChunk*>(chunk);
            shown << QString::fromStdString(conversation->GetName() + "|" + conversation->number + "|" +
                                            std::to_string(conversation->messages.size()));
        }
        QCOMPARE(shown, QStringList({"Ann|+1 555 0101|4", "|+1 555 0102|0", "No number||0"}));
        auto* ann = static_cast<CMessageChunk*>(chunks.front());
        // Any direction byte but 0 is a sent message.
        QStringList entries;
        for (const CMessageChunk::Entry& entry : ann->messages)
            entries << QString::fromStdString(entry.type + "|" + entry.dateTime + "|" + entry.text);
        QCOMPARE(entries, QStringList({"Received|2026-01-01 08:00:00|in", "Send|2026-01-01 08:01:00|out",
                                       "Send||", "Send|d|last"}));
        const auto& sent = ann->messages[0].attachments;
        QCOMPARE(sent.size(), size_t(2));
        QVERIFY(sent[0].IsImage());
        QVERIFY(!sent[1].IsImage());
        QCOMPARE(sent[0].name + "|" + sent[0].path, std::string("IMG_1.HEIC|") + files[0].path);
        QCOMPARE(sent[1].name + "|" + sent[1].uti, std::string("|"));
        QVERIFY(ann->messages[1].attachments.empty());
        QVERIFY(static_cast<CMessageChunk*>(*std::next(chunks.begin()))->nameText.isEmpty());
        qDeleteAll(chunks);

        QVERIFY(MessageRecords::BuildChunks(ConversationList{0, nullptr}).empty());
        QVERIFY(MessageRecords::BuildChunks(ConversationList{5, nullptr}).empty());
    }

    void loadShowsTheFirstConversationWithoutAClick() {
        SetConversations({Numbered("+1 555 0101", "Ann Lee", 3),
                          Numbered("+49 30 1234", nullptr, 2),
                          {"+86 138 0000", "Empty", {}},
                          {"+1 555 0199", "Odd", {{7, "2026-03-02 09:00:00", "sent with 7"}}}});
        qmessageView view(m_manager, m_phone.Handle());
        view.resize(900, 500);
        QSignalSpy node(&view, &qmessageView::refreshMSGNode);
        QSignalSpy finished(&view, &QBaseDetailsView::loadFinished);
        Load(view);
        QVERIFY(m_messages->Messages().isEmpty());
        QCOMPARE(QList<QVariantList>(finished), QList<QVariantList>{{4}});
        QCOMPARE(QList<QVariantList>(node), QList<QVariantList>{{m_phone.Handle()}});
        QCOMPARE(view.RecordCount(), 4);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Table);
        QCOMPARE(view.CurrentWidget(), static_cast<QWidget*>(view.Flow()));

        // Device order; a conversation without a name shows an empty cell.
        QCOMPARE(Cell(view, 0, QMessageModel::NameColumn), QStringLiteral("Ann Lee"));
        QCOMPARE(Cell(view, 1, QMessageModel::NameColumn), QString());
        QCOMPARE(Cell(view, 1, QMessageModel::NumberColumn), QStringLiteral("+49 30 1234"));
        QCOMPARE(Cell(view, 2, QMessageModel::StatusColumn), QString());

        QMessageFlow* flow = view.Flow();
        QTableView* table = flow->Table();
        QCOMPARE(table->currentIndex().row(), 0);
        QVERIFY(flow->CurrentConversation());
        QCOMPARE(flow->CurrentConversation()->GetName(), std::string("Ann Lee"));
        QCOMPARE(flow->PagedFlow()->PageWidgets().size(), 3);
        QCOMPARE(flow->PagedFlow()->PageWidgets().at(0)->Text(), QStringLiteral("Message 1"));

        // Choosing another row shows its messages; the empty conversation shows an empty page.
        table->setCurrentIndex(table->model()->index(3, 1));
        QCOMPARE(flow->CurrentConversation()->GetName(), std::string("Odd"));
        QCOMPARE(flow->PagedFlow()->PageWidgets().size(), 1);
        QVERIFY(!flow->PagedFlow()->PageWidgets().at(0)->IsIncoming());
        emit table->clicked(table->model()->index(2, 0));
        QCOMPARE(flow->CurrentConversation()->GetName(), std::string("Empty"));
        QCOMPARE(flow->PagedFlow()->PageWidgets().size(), 0);
        QCOMPARE(flow->PagedFlow()->PageLabel(), QStringLiteral("0/0"));

        // Sorted by name, then reloaded: the first row is shown again, without a click.
        table->sortByColumn(QMessageModel::NameColumn, Qt::DescendingOrder);
        SetConversations({Numbered("+1 555 0101", "Ann Lee", 5), Numbered("+1 555 0150", "Zoe", 2)});
        Load(view);
        QCOMPARE(view.RecordCount(), 2);
        QCOMPARE(table->currentIndex().row(), 0);
        QCOMPARE(flow->CurrentConversation()->GetName(), std::string("Zoe"));
        QCOMPARE(flow->PagedFlow()->PageWidgets().size(), 2);
        QCOMPARE(node.count(), 2);

        // The search narrows the table.
        view.OnSearchString("^Ann");
        QCOMPARE(view.SortModel()->rowCount(), 1);
    }

    void emptyDeviceShowsThePanelWithoutAddButton() {
        qmessageView view(m_manager, m_phone.Handle());
        view.resize(900, 500);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        Load(view);
        QVERIFY(m_messages->Messages().isEmpty());
        QCOMPARE(view.GetChunkCount(), 0);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
        QVERIFY(view.AddWidget()->isVisible());
        QVERIFY(!view.Flow()->isVisible());
        auto* add = view.AddWidget()->findChild<QImageButton*>("m_btnAdd");
        QVERIFY(add && !add->isVisible());
        QVERIFY(!view.AddWidget()->findChild<QLabel*>("m_label")->pixmap().isNull());
        // Conversations are neither added nor deleted here.
        QVERIFY(!view.OperatePanel()->findChild<QImageButton*>("m_addBtn")->isVisible());
        QVERIFY(!view.OperatePanel()->findChild<QImageButton*>("m_deleteBtn")->isVisible());
    }

    void pagingShowsTwentyBubblesAPage() {
        QPagedFlowViewerWidget pager;
        for (int i = 0; i < 41; ++i)
            pager.AddItem(QStringLiteral("m%1").arg(i), "t", i % 2 == 0, nullptr);
        // The page label and the first and last bubble on show: items added one by one get widgets only
        // on the page on show.
        const auto shown = [&pager] {
            const QList<QFlowWidget*> page = pager.PageWidgets();
            return pager.PageLabel() +
                   QStringLiteral(" %1..%2").arg(page.first()->Text(), page.last()->Text());
        };
        const auto go = [&pager](const QString& typed) {
            pager.PageEdit()->setText(typed);
            pager.OnClickBtnGo();
        };
        QCOMPARE(pager.PageCount(), 3);
        QCOMPARE(shown(), QStringLiteral("1/3 m0..m19"));
        QCOMPARE(pager.PageEdit()->text(), QStringLiteral("1"));
        pager.OnClickBtnNext();
        pager.OnClickBtnNext();
        QCOMPARE(shown(), QStringLiteral("3/3 m40..m40"));
        pager.OnClickBtnNext(); // stays on the last page
        QCOMPARE(shown(), QStringLiteral("3/3 m40..m40"));
        pager.OnClickBtnPrev();
        QCOMPARE(shown(), QStringLiteral("2/3 m20..m39"));
        go("1");
        QCOMPARE(shown(), QStringLiteral("1/3 m0..m19"));
        for (const char* typed : {"99", ""}) {
            go(typed);
            QCOMPARE(shown(), QStringLiteral("3/3 m40..m40"));
            QCOMPARE(pager.PageEdit()->text(), QStringLiteral("3"));
        }
        for (int press = 0; press < 3; ++press) // the third stays on the first page
            pager.OnClickBtnPrev();
        QCOMPARE(shown(), QStringLiteral("1/3 m0..m19"));

        // Exactly twenty make one page; twenty-one make two.
        pager.SetItems(Items(20));
        QCOMPARE(pager.PageCount(), 1);
        QCOMPARE(pager.PageLabel(), QStringLiteral("1/1"));
        QCOMPARE(pager.PageWidgets().size(), 20);
        pager.OnClickBtnNext();
        QCOMPARE(pager.PageWidgets().size(), 20);
        pager.AddItem(QStringLiteral("21st"), "t", false, nullptr);
        QCOMPARE(pager.PageCount(), 2);
        QCOMPARE(pager.PageWidgets().size(), 20);
        pager.Clear();
        QCOMPARE(pager.PageLabel(), QStringLiteral("0/0"));
        QCOMPARE(pager.PageWidgets().size(), 0);
        pager.OnClickBtnNext();
        pager.OnClickBtnGo();
        QCOMPARE(pager.PageWidgets().size(), 0);

        // A real conversation of 41 pages the same way through the view.
        SetConversations({Numbered("+1 555 0101", "Long", 41)});
        qmessageView view(m_manager, m_phone.Handle());
        Load(view);
        QPagedFlowViewerWidget* paged = view.Flow()->PagedFlow();
        QCOMPARE(paged->PageLabel(), QStringLiteral("1/3"));
        paged->PageEdit()->setText(QStringLiteral("3"));
        paged->OnClickBtnGo();
        // A language switch there and back leaves the bubbles on show as they were.
        QVERIFY(SetLanguage(42) && SetLanguage(31));
        RemoveTranslationsForTesting();
        QCOMPARE(paged->PageWidgets().size(), 1);
        QCOMPARE(paged->PageWidgets().at(0)->Text(), QStringLiteral("Message 41"));
        // Each item carries its record.
        const auto* entry = static_cast<const CMessageChunk::Entry*>(paged->ItemAt(40).data);
        QCOMPARE(entry, &view.Flow()->CurrentConversation()->messages.at(40));
    }

    void pageCheckBoxChecksExactlyThePage() {
        QPagedFlowViewerWidget pager;
        pager.SetItems(Items(45));
        QSignalSpy changed(&pager, &QPagedFlowViewerWidget::checkItemChange);
        pager.ShowPage(1);
        QVERIFY(!pager.PageCheck()->isChecked());
        pager.PageCheck()->click();
        QCOMPARE(changed.count(), 20);
        for (int i = 0; i < pager.ItemCount(); ++i)
            QCOMPARE(pager.ItemAt(i).checked, i >= 20 && i < 40);
        for (QFlowWidget* bubble : pager.PageWidgets())
            QVERIFY(bubble->IsChecked());

        // Other pages keep their own state; coming back shows the page checked.
        pager.ShowPage(0);
        QVERIFY(!pager.PageCheck()->isChecked());
        for (QFlowWidget* bubble : pager.PageWidgets())
            QVERIFY(!bubble->IsChecked());
        pager.ShowPage(1);
        QVERIFY(pager.PageCheck()->isChecked());

        // One bubble unchecked by hand: the page is no longer all checked.
        pager.PageWidgets().at(3)->CheckBox()->click();
        QVERIFY(!pager.ItemAt(23).checked);
        QVERIFY(!pager.PageCheck()->isChecked());
        // The box then checks the whole page again; unchecking clears only this page.
        pager.PageCheck()->click();
        QVERIFY(pager.ItemAt(23).checked);
        pager.ShowPage(2);
        pager.PageCheck()->click();
        QVERIFY(pager.ItemAt(44).checked);
        pager.PageCheck()->click();
        QVERIFY(!pager.ItemAt(44).checked);
        QVERIFY(pager.ItemAt(39).checked);
    }

    void bubblesSitByDirectionAndStayBounded() {
        QFlowWidget incoming(QStringLiteral("hello"), "2026-03-01 10:00:00", true);
        QFlowWidget outgoing(QStringLiteral("hi"), "2026-03-01 10:01:00", false);
        incoming.resize(QFlowWidget::kDefaultWidth, incoming.sizeHint().height());
        outgoing.resize(QFlowWidget::kDefaultWidth, outgoing.sizeHint().height());
        // One line of text or none make the same bubble, at least the default height.
        QFlowWidget empty(QString(), QString(), true);
        QCOMPARE(incoming.height(), empty.height());
        QVERIFY(incoming.height() >= QFlowWidget::kMinHeight);
        // Incoming on the left past the check box, outgoing on the right.
        QVERIFY(incoming.BubbleRect().left() > incoming.CheckBox()->geometry().right());
        QVERIFY(outgoing.BubbleRect().right() > incoming.BubbleRect().right());
        QVERIFY(incoming.BubbleRect().contains(incoming.DateTimeRect()));
        // A narrow page narrows the bubbles: none reaches under the check box or past the right edge.
        for (QFlowWidget* bubble : {&incoming, &outgoing}) {
            bubble->resize(QFlowWidget::BubbleWidth() / 2 + 40, bubble->height());
            QVERIFY(bubble->BubbleRect().left() > bubble->CheckBox()->geometry().right());
            QVERIFY(bubble->BubbleRect().right() < bubble->width());
        }
        // Typed line breaks are kept: two short lines make a taller bubble than one.
        QFlowWidget twoLines(QStringLiteral("Line one\nLine two"), QString(), true);
        QVERIFY(twoLines.height() > empty.height());

        // A long text makes a taller bubble; a 100 KB one is cut, so its bubble stays within reason.
        QFlowWidget paragraph(QString(QStringLiteral("word ")).repeated(200), QString(), true);
        QVERIFY(paragraph.height() > incoming.height());
        const QString huge = QString(QStringLiteral("lorem ipsum dolor ")).repeated(100 * 1024 / 18);
        QFlowWidget big(huge, "2026", true);
        QCOMPARE(big.Text().size(), qsizetype(QFlowWidget::kMaxShownChars + 1));
        QVERIFY(big.Text().endsWith(QChar(0x2026)));
        QVERIFY2(big.height() < 20000, qPrintable(QString::number(big.height())));
        QFlowWidget unbroken(QString(100 * 1024, QLatin1Char('x')), QString(), false); // no place to wrap
        QVERIFY(unbroken.height() > paragraph.height() && unbroken.height() < 20000);
        big.resize(QFlowWidget::kDefaultWidth, big.height());
        QVERIFY(!big.grab().isNull());

        // Broken UTF-8 and empty texts come through a load without trouble.
        const std::string broken = std::string("ok \xff\xfe then \xc3") + "";
        SetConversations({{"+1",
                           "Bad",
                           {{0, "2026-03-01 10:00:00", broken},
                            {1, "", ""},
                            {1, "2026-03-01 10:02:00", std::string(100 * 1024, 'y')}}}});
        qmessageView view(m_manager, m_phone.Handle());
        view.resize(900, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        Load(view);
        const QList<QFlowWidget*> bubbles = view.Flow()->PagedFlow()->PageWidgets();
        QCOMPARE(bubbles.size(), 3);
        QVERIFY(bubbles.at(0)->Text().contains(QChar(QChar::ReplacementCharacter)));
        QVERIFY(bubbles.at(0)->Text().startsWith(QStringLiteral("ok ")));
        QCOMPARE(bubbles.at(1)->Text(), QString());
        QCOMPARE(bubbles.at(1)->height(), QFlowWidget(QStringLiteral("one line"), QString(), true).height());
        QVERIFY(!view.grab().isNull());
        // The record keeps the whole text for the export.
        QCOMPARE(view.Flow()->CurrentConversation()->messages.at(2).text.size(), size_t(100 * 1024));
    }

    void exportsReadBackInIndependentReaders();

    void attachmentsShowInTheirBubbleAndOpen();
    void exportTakesTheAttachmentsAlong_data();
    void exportTakesTheAttachmentsAlong();

    void viewGoesWhileItLoads() {
        SetConversations({Numbered("+1 555 0101", "Slow", 5)});
        QCOMPARE(AddFault({.operation = "GetMessages", .delayMs = 300}), 0);
        auto* view = new qmessageView(m_manager, m_phone.Handle());
        view->OnEmitRefresh();
        QVERIFY(view->IsRunning());
        // Destroying the view waits for its load, which leaves nothing behind.
        delete view;
        QVERIFY(!QTest::qWaitFor([&] { return !m_messages->Messages().isEmpty(); }, 100));

        // A second press while a load runs waits for it and loads again.
        qmessageView again(m_manager, m_phone.Handle());
        QSignalSpy finished(&again, &QBaseDetailsView::loadFinished);
        again.OnEmitRefresh();
        again.OnEmitRefresh();
        Load(again);
        QTRY_VERIFY(finished.count() >= 1);
        QCOMPARE(again.GetChunkCount(), 1);
        QCOMPARE(again.Flow()->PagedFlow()->PageWidgets().size(), 5);
    }

    void viewGoesDuringTheSaveDialog() {
        SetConversations({Numbered("+1 555 0101", "Export me", 3)});
        QPointer<qmessageView> view = new qmessageView(m_manager, m_phone.Handle());
        Load(*view);
        view->GetChunk(0)->SetChecked(true);
        QTemporaryDir folder;
        const QString path = folder.filePath("gone.txt");
        // The device leaves while the user picks a file name: the tree deletes the view.
        WhenShown<QFileDialog>([view, path](QFileDialog* dialog) {
            dialog->selectFile(path);
            delete view.data();
        });
        QRecordExportDialog::Run(view, view);
        QVERIFY(!view);
        QVERIFY(!QFile::exists(path));

        // With the view still there the same route writes the file.
        qmessageView kept(m_manager, m_phone.Handle());
        Load(kept);
        kept.GetChunk(0)->SetChecked(true);
        WhenShown<QFileDialog>([path](QFileDialog* dialog) {
            // Typed, as selectFile() leaves a focused name field alone.
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(edit);
            edit->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QRecordExportDialog::Run(&kept, &kept);
        QVERIFY(QFile::exists(path));
        // It ends by naming the file and offering its folder.
        QVERIFY(m_messages->Messages().contains(
            QStringLiteral("Exported to %1.\nDo you want to open the folder that holds it?").arg(path)));
    }

    // Last: its final row unplugs the device.

    void failedListingWarnsAndStaysUsable_data() {
        QTest::addColumn<bool>("unplug");
        QTest::newRow("listing refused") << false;
        QTest::newRow("unplugged during the listing") << true;
    }

    void failedListingWarnsAndStaysUsable() {
        QFETCH(bool, unplug);
        SetConversations({Numbered("+1 555 0101", "Paged", 41), Numbered("+1 555 0102", "Other", 3)});
        qmessageView view(m_manager, m_phone.Handle());
        Load(view);
        QPagedFlowViewerWidget* paged = view.Flow()->PagedFlow();
        QCOMPARE(paged->PageLabel(), QStringLiteral("1/3"));

        // The listing fails late; paging goes on meanwhile from the records in hand.
        QCOMPARE(
            AddFault({.operation = "GetMessages", .code = unplug ? 0 : 7, .unplug = unplug, .delayMs = 300}),
            0);
        QSignalSpy node(&view, &qmessageView::refreshMSGNode);
        view.OnEmitRefresh();
        QVERIFY(view.IsRunning());
        paged->OnClickBtnNext();
        QCOMPARE(paged->PageLabel(), QStringLiteral("2/3"));
        view.Flow()->Table()->setCurrentIndex(view.Flow()->Table()->model()->index(1, 0));
        QCOMPARE(paged->PageLabel(), QStringLiteral("1/1"));
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning(), 10000);
        VerifyFailedListing(view);
        QCOMPARE(view.MessageModel()->rowCount(), 0);
        QVERIFY(!view.Flow()->CurrentConversation());
        QCOMPARE(node.count(), 1); // the node stops waiting and shows none
        paged->OnClickBtnNext();
        paged->OnClickBtnPrev();
        QCOMPARE(paged->PageLabel(), QStringLiteral("0/0"));

        // Pressing refresh again loads what the device gives, or says again that it is gone.
        ClearFaults();
        m_messages->Clear();
        Load(view);
        QVERIFY(view.OperatePanel()->isEnabled());
        if (unplug) {
            QTRY_COMPARE(m_messages->Messages(), QStringList({kUnlock}));
            return;
        }
        QVERIFY(m_messages->Messages().isEmpty());
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Table);
        QCOMPARE(paged->PageLabel(), QStringLiteral("1/3"));
    }

private:
    // One conversation: a picture and a document with the first message, the same picture alone with the
    // second (stored by the phone as a file of its own).
    void SetAttachmentConversation(const QTemporaryDir& files) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(200, 40, 40));
        QVERIFY(picture.save(files.filePath("beach.png")));
        QVERIFY(WriteFile(files.filePath("plan.pdf"), QByteArray("%PDF-1.4\n").leftJustified(3000, ' ')));
        const std::filesystem::path png = files.filePath("beach.png").toStdString();
        const std::filesystem::path pdf = files.filePath("plan.pdf").toStdString();
        SetConversations({{"+1 555 0101",
                           "Ann",
                           {{0, "2026-03-01 10:00:00", "Look at this", {png, pdf}},
                            {1, "2026-03-01 10:05:00", "", {png}}}},
                          Numbered("+1 555 0102", "Plain", 2)});
    }

    void SetConversations(const std::vector<SimConversation>& conversations) {
        QCOMPARE(vexa::sim::ReplaceConversations(DeviceFolder(), conversations), 0);
    }

    void Load(qmessageView& view) {
        view.OnEmitRefresh();
        QTRY_VERIFY_WITH_TIMEOUT(!view.IsRunning(), 10000);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // A listing that failed: the user is told, and the page is empty but usable.
    void VerifyFailedListing(qmessageView& view) {
        QTRY_COMPARE(m_messages->Messages(), QStringList({kUnlock}));
        QCOMPARE(view.GetChunkCount(), 0);
        QCOMPARE(view.State(), QBaseDetailsView::ContentState::Empty);
        QCOMPARE(view.Flow()->PagedFlow()->PageWidgets().size(), 0);
        QVERIFY(view.OperatePanel()->isEnabled());
    }

    QString Cell(qmessageView& view, int row, int column) const {
        return view.MessageModel()->index(row, column).data().toString();
    }
};

void tst_messages::exportsReadBackInIndependentReaders() {
    SetConversations({{"+1 555 0101",
                       "Ann <&> \"Lee\"",
                       {{0, "2026-03-01 10:00:00", "Is 3 < 4 & 5 > 4?"},
                        {1, "2026-03-01 10:01:00", "She said \"yes\" & 'no'"},
                        {9, "2026-03-01 10:02:00", "line one\r\nline two"}}},
                      {"+49 30 1234",
                       std::nullopt,
                       {{1, "2026-03-02 11:00:00", "Grüße aus Berlin"},
                        {0, "2026-03-02 11:05:00", std::string("bad \xff byte")},
                        {0, "2026-03-02 11:06:00", "你好"}}},
                      Numbered("+1 555 0199", "Not checked", 2)});
    qmessageView view(m_manager, m_phone.Handle());
    Load(view);
    QCOMPARE(view.GetChunkCount(), 3);
    QVERIFY(!view.HasCheckedChunk());
    view.GetChunk(0)->SetChecked(true);
    view.GetChunk(1)->SetChecked(true);

    QTemporaryDir folder;
    const QString xml = folder.filePath("out/messages.xml");
    const QString xls = folder.filePath("out/messages.XLS");
    const QString txt = folder.filePath("out/messages.txt");
    for (const QString& path : {xml, xls, txt})
        QVERIFY(CRecordFileExport::Export(view, path.toStdString()));

    // The checked conversations as every export must give them: name and number, then each message.
    const QList<QStringList> exported = {
        {"Ann <&> \"Lee\"", "+1 555 0101"},
        {"2026-03-01 10:00:00", "Received", "Is 3 < 4 & 5 > 4?"},
        {"2026-03-01 10:01:00", "Send", "She said \"yes\" & 'no'"},
        {"2026-03-01 10:02:00", "Send", "line one\r\nline two"},
        {"", "+49 30 1234"},
        {"2026-03-02 11:00:00", "Send", "Grüße aus Berlin"},
        {"2026-03-02 11:05:00", "Received", "bad \uFFFD byte"},
        {"2026-03-02 11:06:00", "Received", "你好"},
    };
    QStringList expectedXml{"Messages"};
    QStringList expectedRows{"|Name|PhoneNumber||"};
    QByteArray expectedText = "\r\n\r\n";
    for (const QStringList& item : exported) {
        const bool conversation = item.size() == 2;
        expectedXml << QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(item)).toJson(QJsonDocument::Compact));
        expectedRows << (conversation ? "|" + item.join('|') + "||"
                                      : "||" + QString(item.join('|')).replace("\r\n", "\\r\\n"));
        if (conversation)
            expectedRows << "||Datetime|Type|Text";
        const QStringList names =
            conversation ? QStringList{"Name", "PhoneNumber"} : QStringList{"Datetime", "Type", "Text"};
        for (int field = 0; field < item.size(); ++field)
            expectedText += (names[field] + ": " + item[field] + "; ").toUtf8();
        // A conversation's Contexts item has no fields, but its paragraph.
        expectedText += conversation ? "\r\n\r\n\r\n\r\n" : "\r\n\r\n";
    }

    QCOMPARE(PythonLines(R"(
import sys, json
from lxml import etree
root = etree.parse(sys.argv[1]).getroot()
print(root.tag)
dump = lambda values: print(json.dumps(values, ensure_ascii=False, separators=(',', ':')))
for item in root.findall('Item'):
    dump([item.get('Name'), item.get('PhoneNumber')])
    for message in item.findall('Contexts/Item'):
        dump([message.get('Datetime'), message.get('Type'), message.get('Text')])
)",
                         {xml}),
             expectedXml);

    // The spreadsheet: a bold header above the first conversation, one above every conversation's
    // messages, records from column 1 and messages from column 2.
    QStringList rows = PythonLines(R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheet = book.sheet_by_name('Sheet1')
bold = lambda r, c: int(book.font_list[book.xf_list[sheet.cell_xf_index(r, c)].font_index].bold)
print('B|%d%d%d%d' % (bold(0, 1), bold(2, 2), bold(1, 1), bold(3, 3)))
for r in range(sheet.nrows):
    print('|'.join(str(sheet.cell_value(r, c)).replace('\r', '\\r').replace('\n', '\\n')
                   for c in range(sheet.ncols)))
)",
                                   {xls});
    QCOMPARE(rows.takeFirst(), QStringLiteral("B|1100")); // header cells bold, values not
    QCOMPARE(rows, expectedRows);
    // The text file, byte for byte.
    QCOMPARE(ReadFile(txt), expectedText);
}

void tst_messages::attachmentsShowInTheirBubbleAndOpen() {
    QTemporaryDir files;
    SetAttachmentConversation(files);
    qmessageView view(m_manager, m_phone.Handle());
    view.resize(900, 600);
    view.show();
    Load(view);
    const QList<QFlowWidget*> bubbles = view.Flow()->PagedFlow()->PageWidgets();
    QCOMPARE(bubbles.size(), 2);
    QFlowWidget* first = bubbles[0];
    QCOMPARE(first->Attachments().size(), 2);
    QCOMPARE(first->Attachments()[0].name, QStringLiteral("beach.png"));
    QCOMPARE(first->Attachments()[1].sizeText, FormatSize(3000));
    // The picture shows once its thumbnail is made off the interface thread; the document by name.
    QTRY_VERIFY(first->ShowsThumbnail(0));
    QTRY_VERIFY(bubbles[1]->ShowsThumbnail(0));
    QVERIFY(!first->ShowsThumbnail(1));
    QCOMPARE(first->AttachmentRect(0).size(), QSize(64, 48));
    QVERIFY(!first->AttachmentRect(1).intersects(first->AttachmentRect(0)));
    QVERIFY(first->AttachmentRect(1).bottom() < first->DateTimeRect().top());
    QVERIFY(first->BubbleRect().contains(first->AttachmentRect(1)));

    // A double click opens a copy in the page's private folder with the desktop's program.
    QList<QUrl> opened;
    CDesktopOpen::SetOpenerForTesting([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    auto restore = qScopeGuard([] { CDesktopOpen::SetOpenerForTesting({}); });
    QTest::mouseDClick(first, Qt::LeftButton, {}, first->AttachmentRect(1).center());
    QTRY_COMPARE(opened.size(), 1);
    const QString copy = opened[0].toLocalFile();
    QCOMPARE(QFileInfo(copy).fileName(), QStringLiteral("plan.pdf"));
    QVERIFY(copy.startsWith(view.AttachmentFiles()->Folder() + QLatin1Char('/')));
    QCOMPARE(ReadFile(copy), ReadFile(files.filePath("plan.pdf")));
    QCOMPARE(QFileInfo(view.AttachmentFiles()->Folder()).permissions() & 0x0077, QFileDevice::Permissions());
}

void tst_messages::exportTakesTheAttachmentsAlong_data() {
    QTest::addColumn<QString>("file");
    for (const char* file : {"messages.txt", "messages.xml", "messages.xls", "messages.html"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

// Every format names the copies by paths relative to the export file, and each copy is there whole;
// the web pages show the pictures in their bubbles and link the document.
void tst_messages::exportTakesTheAttachmentsAlong() {
    QFETCH(QString, file);
    QTemporaryDir files;
    SetAttachmentConversation(files);
    qmessageView view(m_manager, m_phone.Handle());
    Load(view);
    view.GetChunk(0)->SetChecked(true);
    QTemporaryDir folder;
    const QString path = folder.filePath("out/" + file);
    QCOMPARE(int(view.ExportWithFiles(path.toStdString())), int(CRecordFileExport::Result::Written));
    const QStringList references = PythonLines(R"(
import os, sys, urllib.parse
path = sys.argv[1]
base = os.path.dirname(path)
ext = os.path.splitext(path)[1]
refs = []
if ext == '.xml':
    from lxml import etree
    for item in etree.parse(path).getroot().iter('Item'):
        refs += [r for r in (item.get('Attachments') or '').split('\n') if r]
elif ext == '.xls':
    import xlrd
    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    column = None
    for r in range(sheet.nrows):
        values = [str(sheet.cell_value(r, c)) for c in range(sheet.ncols)]
        if 'Attachments' in values:
            column = values.index('Attachments')
        elif column is not None and values[column]:
            refs += values[column].split('\n')
elif ext == '.txt':
    for part in open(path, encoding='utf-8').read().split('; '):
        if part.strip().startswith('Attachments: '):
            refs += part.strip()[len('Attachments: '):].split('\n')
else:
    import lxml.html
    index = lxml.html.parse(path)
    pages = index.xpath('//td/a/@href')
    print('pages', len(pages))
    for href in pages:
        page = os.path.join(base, urllib.parse.unquote(href))
        doc = lxml.html.parse(page)
        print('bubbles', len(doc.xpath('//div[@class="message received"]')), len(doc.xpath('//div[@class="message sent"]')))
        for kind, links in (('img', doc.xpath('//img/@src')), ('link', doc.xpath('//p[@class="file"]/a/@href'))):
            for link in links:
                target = os.path.normpath(os.path.join(os.path.dirname(page), urllib.parse.unquote(link)))
                refs.append(kind + ':' + os.path.relpath(target, base))
for ref in refs:
    name = ref.split(':')[-1]
    print(ref, os.path.getsize(os.path.join(base, name)) if os.path.isfile(os.path.join(base, name)) else 'missing')
)",
                                               {path});
    const QString png = QString::number(QFileInfo(files.filePath("beach.png")).size());
    QStringList expected = {QStringLiteral("messages attachments/beach.png ") + png,
                            "messages attachments/plan.pdf 3000",
                            QStringLiteral("messages attachments/beach (2).png ") + png};
    if (file.endsWith(QLatin1String(".html")))
        expected = {"pages 1", "bubbles 1 1", QStringLiteral("img:messages attachments/beach.png ") + png,
                    QStringLiteral("img:messages attachments/beach (2).png ") + png,
                    "link:messages attachments/plan.pdf 3000"};
    QCOMPARE(references, expected);
    // The records carry no export paths once the export is done.
    const auto* conversation = static_cast<CMessageChunk*>(view.GetChunk(0));
    QVERIFY(conversation->messages[0].attachments[0].exportPath.empty());
}

QTEST_MAIN(tst_messages)
#include "tst_messages.moc"
