#pragma once

#include "../SimDatabase.h"
#include "TextArena.h"

namespace vexa::sim {

// A column's text kept in the arena; null for a NULL column, so absent values stay absent.
inline const char* KeepColumn(TextArena& arena, const Statement& row, int column) {
    return row.IsNull(column) ? nullptr : arena.Add(row.TextView(column));
}

} // namespace vexa::sim
