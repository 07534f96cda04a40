#pragma once

#include <QCoreApplication>
#include <QRect>
#include <QString>

class QPainter;

// The header of one month on a photo page: a check box for the whole month, the month and "Total:"
// with its count. Drawn by the page's view rather than being a widget of its own, so a page of
// hundreds of months stays one widget.
class DateItemWidget {
    Q_DECLARE_TR_FUNCTIONS(DateItemWidget)

public:
    static constexpr int kHeight = 36;

    static void Paint(QPainter& painter, const QRect& rect, const QString& month, int count,
                      Qt::CheckState state);
    // Where the month's check box is inside a header drawn at `rect`.
    static QRect CheckBoxRect(const QRect& rect);
};
