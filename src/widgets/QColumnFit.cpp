#include "QColumnFit.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>
#include <numeric>

namespace {
// Narrower than this a column shows no more than an ellipsis.
constexpr int kNarrowestColumn = 40;
} // namespace

QColumnFit::QColumnFit(QTableView* table, std::vector<int> widths, int restWidth)
    : QObject(table)
    , m_table(table)
    , m_widths(std::move(widths))
    , m_restWidth(restWidth) {
    table->viewport()->installEventFilter(this);
    connect(table->horizontalHeader(), &QHeaderView::sectionCountChanged, this, &QColumnFit::Fit);
}

QColumnFit* QColumnFit::Install(QTableView* table, std::vector<int> widths, int restWidth) {
    auto* fit = new QColumnFit(table, std::move(widths), restWidth);
    fit->Fit();
    return fit;
}

void QColumnFit::Fit() {
    QHeaderView* header = m_table->horizontalHeader();
    const int count = std::min(int(m_widths.size()), header->count());
    if (count == 0)
        return;
    const int wanted = std::accumulate(m_widths.begin(), m_widths.begin() + count, 0);
    const int rest = header->count() > count ? m_restWidth : 0;
    const int room = m_table->viewport()->width() - rest;
    const double scale = wanted > room && room > 0 ? double(room) / wanted : 1.0;
    for (int column = 0; column < count; ++column)
        header->resizeSection(column, std::max(kNarrowestColumn, int(m_widths[size_t(column)] * scale)));
}

bool QColumnFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == m_table->viewport())
        Fit();
    return QObject::eventFilter(watched, event);
}
