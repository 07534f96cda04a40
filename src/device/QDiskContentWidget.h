#pragma once

#include <cstdint>
#include <vector>

#include <QWidget>

class QDiskContentBar;
class QContentItemWidget;
class QGridLayout;

// One storage view of the information page: the bar painted to scale and a legend row below it.
class QDiskContentWidget : public QWidget {
    Q_OBJECT
public:
    struct Item {
        QString caption; // translated category name
        uint64_t bytes = 0;
        QString stripPath; // full paths
        QString iconPath;
    };

    explicit QDiskContentWidget(QWidget* parent = nullptr);

    bool SetBackground(const QString& path);
    // Replaces bar and legend; false when an image of an item is missing (the rest is still shown).
    bool SetItems(uint64_t capacity, const std::vector<Item>& items);

    QDiskContentBar* ContentBar() const { return m_contentBar; }
    QStringList LegendTexts() const;

private:
    void ClearLegend();

    QDiskContentBar* m_contentBar;
    QGridLayout* m_legendLayout;
    std::vector<QContentItemWidget*> m_items;
};
