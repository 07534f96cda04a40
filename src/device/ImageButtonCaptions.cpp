#include "ImageButtonCaptions.h"

#include <QWidget>

#include "QImageButton.h"

void MoveImageButtonCaptions(QWidget* root) {
    if (!root)
        return;
    for (QImageButton* button : root->findChildren<QImageButton*>()) {
        if (!button->HasImages() || button->text().isEmpty())
            continue;
        button->setAccessibleName(button->text());
        button->setText(QString());
    }
}
