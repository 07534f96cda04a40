#pragma once

#include <QAbstractItemModel>
#include <QStringList>

// The texts a model shows in `column`, row by row: to find a row by its text or compare a column at once.
inline QStringList ColumnTexts(const QAbstractItemModel* model, int column = 0) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, column).data().toString();
    return texts;
}
