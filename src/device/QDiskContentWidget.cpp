#include "QDiskContentWidget.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "DeviceFormat.h"
#include "QContentItemWidget.h"
#include "QDiskContentBar.h"

namespace {
constexpr int kLegendColumns = 3;
} // namespace

QDiskContentWidget::QDiskContentWidget(QWidget* parent)
    : QWidget(parent)
    , m_contentBar(new QDiskContentBar(this))
    , m_legendLayout(new QGridLayout) {
    m_contentBar->setObjectName(QStringLiteral("m_contentBar"));
    m_contentBar->setFixedHeight(22);
    m_legendLayout->setContentsMargins(0, 0, 0, 0);
    m_legendLayout->setHorizontalSpacing(16);
    m_legendLayout->setVerticalSpacing(6);
    // Room for the legend's figures: a row holds a few items, the rest wrap to the next one.
    m_legendLayout->setColumnStretch(kLegendColumns, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(m_contentBar);
    layout->addLayout(m_legendLayout);
}

bool QDiskContentWidget::SetBackground(const QString& path) {
    return m_contentBar->SetBackground(path);
}

bool QDiskContentWidget::SetItems(uint64_t capacity, const std::vector<Item>& items) {
    ClearLegend();
    bool imagesFound = true;
    std::vector<QDiskContentBar::Segment> segments;
    for (const Item& item : items) {
        auto* legend = new QContentItemWidget(this);
        const QString text = QStringLiteral("%1 %2").arg(item.caption, FormatSize(item.bytes));
        imagesFound = legend->SetContent(item.stripPath, item.iconPath, text) && imagesFound;
        const int index = static_cast<int>(m_items.size());
        m_legendLayout->addWidget(legend, index / kLegendColumns, index % kLegendColumns);
        m_items.push_back(legend);
        segments.push_back({item.bytes, QPixmap(item.stripPath)});
    }
    m_contentBar->SetContent(capacity, std::move(segments));
    return imagesFound;
}

QStringList QDiskContentWidget::LegendTexts() const {
    QStringList texts;
    for (const QContentItemWidget* item : m_items)
        texts << item->Text();
    return texts;
}

void QDiskContentWidget::ClearLegend() {
    for (QContentItemWidget* item : m_items)
        delete item;
    m_items.clear();
}
