#include <limits>

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>

#include "ForeignImage.h"

#include "QImageButton.h"
#include "QImageProgressBar.h"
#include "TestFolders.h"

namespace {

QByteArray encoded(const QSize& size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QColor centreColour(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

class TestWidgetKit : public QObject {
    Q_OBJECT
private slots:
    void buttonShowsTheStripFrameOfItsState() {
        TestFolders folders;
        const QString strip = folders.AppDir() + QStringLiteral("/strip.png");
        folders.WriteImage(strip, QSize(60, 20), {Qt::green, Qt::yellow, Qt::red, Qt::gray});
        QImageButton button;
        QVERIFY(button.SetImages(strip));
        QCOMPARE(button.size(), QSize(60, 20));
        QCOMPARE(centreColour(button), QColor(Qt::green));
        button.setDown(true);
        QCOMPARE(centreColour(button), QColor(Qt::red));
        button.setDown(false);
        button.setEnabled(false);
        QCOMPARE(centreColour(button), QColor(Qt::gray));

        // A strip of two frames has no disabled one: the normal frame stands in.
        const QString two = folders.AppDir() + QStringLiteral("/two.png");
        folders.WriteImage(two, QSize(30, 20), {Qt::green, Qt::yellow});
        QVERIFY(button.SetImages(two, 2));
        QCOMPARE(button.size(), QSize(30, 20));
        QCOMPARE(centreColour(button), QColor(Qt::green));
    }

    void buttonRejectsMissingImages() {
        TestFolders folders;
        const QString present = folders.AppDir() + QStringLiteral("/one.png");
        folders.WriteImage(present, QSize(30, 20), {Qt::green});
        QImageButton button;
        QVERIFY(!button.SetImages(folders.AppDir() + QStringLiteral("/none.png")));
        QVERIFY(!button.SetImages(present, present, folders.AppDir() + QStringLiteral("/none.png"), present));
        QVERIFY(!button.SetImages(present, 0));
        QVERIFY(!button.HasImages());
    }

    void progressBarHandlesRangesBeyondInt() {
        QImageProgressBar bar;
        const qint64 eightTerabytes = 8LL << 40;
        bar.SetRange(0, eightTerabytes);
        bar.SetValue(eightTerabytes / 2);
        QCOMPARE(bar.Value(), eightTerabytes / 2);
        QCOMPARE(bar.Maximum(), eightTerabytes);
        QCOMPARE(bar.Text(), QStringLiteral("50%"));

        bar.SetRange(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
        bar.SetValue(std::numeric_limits<qint64>::max());
        QCOMPARE(bar.Fraction(), 1.0);
        bar.SetValue(0);
        QVERIFY(qAbs(bar.Fraction() - 0.5) < 1e-9);

        bar.SetRange(5, 5);
        QCOMPARE(bar.Fraction(), 0.0);
        QCOMPARE(bar.Text(), QStringLiteral("0%"));
        bar.resize(200, 14);
        QVERIFY(!bar.grab().isNull());
    }

    void progressBarClampsAndSignalsOnlyChanges() {
        QImageProgressBar bar;
        QSignalSpy changed(&bar, &QImageProgressBar::valueChanged);
        bar.SetRange(10, 20);
        QCOMPARE(bar.Value(), 10);
        bar.SetValue(15);
        bar.SetValue(15);
        bar.SetValue(99);
        QCOMPARE(bar.Value(), 20);
        bar.SetRange(0, 12);
        QCOMPARE(bar.Value(), 12);
        bar.SetRange(30, 0);
        QCOMPARE(bar.Maximum(), 30);
        QCOMPARE(bar.Value(), 30);
        QCOMPARE(changed.count(), 5);
        QCOMPARE(changed.last().at(0).toLongLong(), 30);
    }

    void foreignImageIsBoundedAndScaled() {
        const QImage small = ForeignImage::Decode(encoded(QSize(40, 20), "PNG"), 100, 60);
        QCOMPARE(small.size(), QSize(40, 20));
        QCOMPARE(small.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(ForeignImage::Decode(encoded(QSize(400, 200), "JPG"), 1000, 60).size(), QSize(60, 30));
        QVERIFY(ForeignImage::Decode(encoded(QSize(400, 200), "PNG"), 300, 60).isNull());
        QVERIFY(ForeignImage::Decode(QByteArray("not a picture"), 100, 60).isNull());
        QVERIFY(ForeignImage::Decode(QByteArray(), 100, 60).isNull());
    }

    void foreignPngWithOverlongChunkIsRefused() {
        const QByteArray png = encoded(QSize(2, 2), "PNG");
        QVERIFY(!ForeignImage::HasOverlongPngChunk(png));
        QVERIFY(!ForeignImage::HasOverlongPngChunk(png + "trailing bytes after IEND"));
        QVERIFY(!ForeignImage::Decode(png, 10, 10).isNull());

        // A text chunk before IEND that claims 1.7 GB: libpng would allocate it before finding it missing.
        const qsizetype iend = png.lastIndexOf("IEND") - 4;
        const QByteArray claim = QByteArray::fromHex("67000000") + "tEXt" + "date";
        const QByteArray bomb = png.left(iend) + claim + png.mid(iend);
        QVERIFY(ForeignImage::HasOverlongPngChunk(bomb));
        QVERIFY(ForeignImage::Decode(bomb, 10, 10).isNull());
        QVERIFY(ForeignImage::HasOverlongPngChunk(png.left(png.size() - 3)));
    }
};

int runWidgetKitTests(int argc, char** argv) {
    TestWidgetKit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_WidgetKit.moc"
