#include "ContactSheet.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>

#include "TextPainter.h"
#include "Theme.h"

namespace {

constexpr int kPageWidth = 1800;
constexpr int kGap = 14;
constexpr int kLabelHeight = 14;
constexpr int kMaxSide = 440;

QImage firstFrame(const QString& path) {
    QImageReader reader(path);
    return reader.read();
}

QImage shrunk(const QImage& image) {
    if (image.width() <= kMaxSide && image.height() <= kMaxSide)
        return image;
    return image.scaled(kMaxSide, kMaxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

bool ContactSheet::Write(const QString& languageDir, const LanguageFolder& language, const QString& target,
                         QString* error) {
    struct Tile {
        QString name;
        QImage image;
        QPoint at;
    };
    QList<Tile> tiles;
    int x = kGap;
    int y = kGap + 30;
    int rowHeight = 0;
    for (const AssetSpec& spec : AssetCatalog::All()) {
        const QImage image =
            firstFrame(QDir(languageDir).filePath(language.folder + QLatin1Char('/') + spec.path));
        if (image.isNull()) {
            *error = QStringLiteral("cannot read %1 of %2").arg(spec.path, language.folder);
            return false;
        }
        const QImage shown = shrunk(image);
        const int width = qMax(shown.width(), 90);
        if (x + width > kPageWidth - kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        tiles.append({spec.path.section(QLatin1Char('/'), -1), shown, QPoint(x, y)});
        x += width + kGap;
        rowHeight = qMax(rowHeight, shown.height() + kLabelHeight);
    }
    QImage page(kPageWidth, y + rowHeight + kGap, QImage::Format_RGB32);
    page.fill(QColor(245, 247, 248));
    QPainter p(&page);
    TextPainter::Draw(p, QRectF(kGap, 4, 600, 26), language.folder, 18, QFont::Bold, Theme::kTealDeep,
                      Qt::AlignLeft | Qt::AlignVCenter);
    for (const Tile& tile : tiles) {
        // A checkerboard behind each image shows where it is transparent.
        const QRect area(tile.at, tile.image.size());
        for (int cy = area.top(); cy < area.bottom(); cy += 8)
            for (int cx = area.left(); cx < area.right(); cx += 8)
                p.fillRect(QRect(cx, cy, 8, 8).intersected(area),
                           ((cx - area.left()) / 8 + (cy - area.top()) / 8) % 2 ? QColor(225, 228, 230)
                                                                                : Qt::white);
        p.drawImage(tile.at, tile.image);
        p.setFont(TextPainter::Font(10, QFont::Normal));
        p.setPen(QColor(90, 90, 90));
        p.drawText(QRect(tile.at.x(), area.bottom() + 1, qMax(area.width(), 90), kLabelHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, tile.name);
    }
    p.end();
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !page.save(target, "PNG")) {
        *error = QStringLiteral("cannot write %1").arg(target);
        return false;
    }
    return true;
}
