#pragma once

#include "model/Project.h"

#include <cstddef>

namespace kestrava::model {

// Roughly the memory a record keeps, inline and on the heap (shared strings
// counted as if each holder had its own): what limits the undo history.
std::size_t heldBytes(const FonGroupData& group);
std::size_t heldBytes(const ActiveGroupData& group);
std::size_t heldBytes(const TextObjectData& text);
std::size_t heldBytes(const LivesBarData& bar);
std::size_t heldBytes(const Table<EventRowData, kMaxEventRows>& rows);
std::size_t heldBytes(const StageData& stage);

} // namespace kestrava::model
