#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include "DeviceTestRegistry.h"
#include "LanguageService.h"
#include "MainWindow.h"
#include "MessageCatcher.h"
#include "QBaseDetailsView.h"
#include "QImageButton.h"
#include "QNavigateWidget.h"
#include "SimDevices.h"
#include "TreeModel.h"
#include "TreeNode.h"

// A live language switch of the main window with a device and every category page: no text and no
// worded image of the language left behind remains anywhere.

namespace {

const char* const kUdid = "00008101-0000000000000F31";
const char* const kName = "Language Phone";

using Catalogue = QHash<QString, QString>; // "context\nsource" -> shown text

// The finished translations of the .ts files of one language code.
Catalogue ReadCatalogue(const QString& code) {
    QStringList files{QStringLiteral(VEXA_SOURCE_DIR "/assets/Language/base_%1.ts").arg(code)};
    const QDir modules(QStringLiteral(VEXA_SOURCE_DIR "/assets/translations"));
    for (const QString& name : modules.entryList({QStringLiteral("*_%1.ts").arg(code)}, QDir::Files))
        files.append(modules.filePath(name));
    Catalogue texts;
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation")) {
                const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
                const QString text = xml.readElementText();
                if (finished && !text.isEmpty())
                    texts.insert(context + QLatin1Char('\n') + source, text);
            }
        }
    }
    return texts;
}

// The texts of language `from` that language `to` never shows: any of them on screen after a switch
// to `to` was left behind. Texts without a letter, and texts both languages use, cannot tell.
QSet<QString> TextsOnlyIn(int from, int to) {
    static const QHash<int, QString> codes{{31, "en"}, {42, "de"}, {25, "zh"}};
    const Catalogue german = ReadCatalogue(QStringLiteral("de"));
    const Catalogue fromTexts = ReadCatalogue(codes.value(from));
    const Catalogue toTexts = ReadCatalogue(codes.value(to));
    auto shown = [](const Catalogue& catalogue, const QString& key) {
        return catalogue.value(key, key.section(QLatin1Char('\n'), 1));
    };
    QSet<QString> only;
    QSet<QString> shared;
    for (auto it = german.begin(); it != german.end(); ++it) {
        const QString before = shown(fromTexts, it.key());
        const QString after = shown(toTexts, it.key());
        shared.insert(after);
        if (before != after &&
            std::any_of(before.begin(), before.end(), [](QChar c) { return c.isLetter(); }))
            only.insert(before);
    }
    return only - shared;
}

QStringList ModelTexts(const QAbstractItemModel* model, const QModelIndex& parent = {}) {
    QStringList texts;
    if (!model)
        return texts;
    if (!parent.isValid())
        for (int column = 0; column < model->columnCount(); ++column)
            texts << model->headerData(column, Qt::Horizontal).toString();
    for (int row = 0; row < model->rowCount(parent) && row < 50; ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        texts << index.data().toString() << ModelTexts(model, index);
    }
    return texts;
}

// Every text a widget shows or hands to screen readers.
QStringList TextsOf(QWidget* widget) {
    QStringList texts{widget->toolTip(), widget->accessibleName()};
    if (widget->isWindow())
        texts << widget->windowTitle();
    if (auto* label = qobject_cast<QLabel*>(widget))
        texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        texts << button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        texts << edit->placeholderText();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        for (int item = 0; item < combo->count(); ++item)
            texts << combo->itemText(item);
    if (auto* menu = qobject_cast<QMenu*>(widget))
        for (const QAction* action : menu->actions())
            texts << action->text();
    if (auto* view = qobject_cast<QAbstractItemView*>(widget))
        texts << ModelTexts(view->model());
    return texts;
}

QString PathOf(const QWidget* widget) {
    QStringList names;
    for (; widget; widget = widget->parentWidget())
        names.prepend(widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                     : widget->objectName());
    return names.join(QLatin1Char('/'));
}

} // namespace

class tst_LanguageSwitch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetAppDirPathForTesting(QStringLiteral(VEXA_BIN_DIR)); }

    void cleanupTestCase() {
        SetLanguage(31);
        RemoveTranslationsForTesting();
        QFile::remove(UserLanguageFilePath());
        SetAppDirPathForTesting(QString());
    }

    void liveSwitchLeavesNothingOfThePreviousLanguage_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("English to German") << 31 << 42;
        QTest::newRow("German to Chinese") << 42 << 25;
        QTest::newRow("Chinese to English") << 25 << 31;
    }

    void liveSwitchLeavesNothingOfThePreviousLanguage() {
        QFETCH(int, from);
        QFETCH(int, to);
        const QSet<QString> leftBehind = TextsOnlyIn(from, to);
        QVERIFY(leftBehind.size() > 100);

        // The window starts in `from`, as after a start-up in that language.
        QVERIFY(SetLanguage(from));
        MainWindow window;
        window.resize(1200, 800);
        window.show();
        QNavigateWidget* navigate = window.NavigateWidget();
        QVERIFY(PlugOrCreate(kUdid, kName, "iPhone8,1", {"--songs", "2"}));
        const auto device = [&] { return NodeNamed(navigate, QLatin1String(kName)); };
        QTRY_VERIFY_WITH_TIMEOUT(device(), 30000);
        // Every page once, so that each has loaded its records and shows its table or empty panel.
        QList<TreeNode*> pages{device()};
        for (TreeNode* node : device()->Children())
            pages << node << node->Children();
        for (TreeNode* node : std::as_const(pages)) {
            navigate->ClickTreeViewItem(navigate->Model()->IndexOf(node));
            if (auto* view = qobject_cast<QBaseDetailsView*>(node->Binding().view))
                QTRY_VERIFY_WITH_TIMEOUT(view->State() != QBaseDetailsView::ContentState::Loading, 10000);
        }

        QVERIFY(SetLanguage(to));
        const QString root = ResourceRoot() + QLatin1Char('/');
        const QString languages = QStringLiteral(VEXA_BIN_DIR "/Language/");
        QStringList found;
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (QWidget* widget : std::as_const(widgets)) {
            for (QString text : TextsOf(widget)) {
                // Category nodes carry their record count.
                text.remove(QRegularExpression(QStringLiteral(" \\(\\d+\\)$")));
                if (leftBehind.contains(text))
                    found << QStringLiteral("%1: \"%2\"").arg(PathOf(widget), text);
            }
            const auto* button = qobject_cast<QImageButton*>(widget);
            const QString image = button ? button->ImageSource() : QString();
            if (image.startsWith(languages) && !image.startsWith(root))
                found << QStringLiteral("%1: image %2").arg(PathOf(widget), image);
        }
        SimCtl({"unplug", kUdid});
        QTRY_VERIFY_WITH_TIMEOUT(!device(), 10000);
        found.removeDuplicates();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

private:
    MessageCatcher m_messages;
};

VEXA_DEVICE_TEST(tst_LanguageSwitch);
#include "tst_LanguageSwitch.moc"
