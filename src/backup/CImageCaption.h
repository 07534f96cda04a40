#pragma once

#include <QString>

class QImageButton;

// A button image carries its caption, drawn per language; painting the text as well would show it twice.
// The caption then goes to the accessible name and the tooltip; a button without images keeps it as text.
class CImageCaption {
public:
    static void Set(QImageButton* button, const QString& caption);
};
