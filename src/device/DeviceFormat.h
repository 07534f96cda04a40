#pragma once

#include <cstdint>

#include <QString>

#include "FormatSize.h"

// Texts shown for device figures; free of widgets so they can be used and tested anywhere. The size
// text is shared with the category pages.

// The marketing name of a product type such as "iPhone7,2" ("iPhone 6"). Spaces and case are ignored;
// an unknown type gives an empty text.
QString ModelName(const QString& productType);
