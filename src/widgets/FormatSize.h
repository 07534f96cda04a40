#pragma once

#include <cstdint>

#include <QString>

// A byte count as "1.50 GB", "3.20 MB", "12.00 KB" or "512 B". Each unit is used only strictly above
// its size, so exactly 1024 bytes still reads "1024 B".
QString FormatSize(uint64_t bytes);
