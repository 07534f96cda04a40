#pragma once

#include <cstdint>

#include <QString>

// Texts shown for device figures; free of widgets so they can be used and tested anywhere.

// A byte count as "1.50 GB", "3.20 MB", "12.00 KB" or "512 B". Each unit is used only strictly above
// its size, so exactly 1024 bytes still reads "1024 B".
QString FormatSize(uint64_t bytes);

// The marketing name of a product type such as "iPhone7,2" ("iPhone 6"). Spaces and case are ignored;
// an unknown type gives an empty text.
QString ModelName(const QString& productType);
