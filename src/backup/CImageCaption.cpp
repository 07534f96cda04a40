#include "CImageCaption.h"

#include "QImageButton.h"

void CImageCaption::Set(QImageButton* button, const QString& caption) {
    button->setAccessibleName(caption);
    button->setToolTip(caption);
    button->setText(button->HasImages() ? QString() : caption);
}
