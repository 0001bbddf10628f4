#pragma once

#include "table/ClassTable.h"

#include <memory>
#include <string_view>

namespace lexaro {

// Replaces the table's content with separated text: one line per row (CR LF or CR ends a line, a lone
// LF does not, unless the text holds no CR at all: then LF ends a line), cells split at the table's Separator,
// converted from its Charset. The reader of ClassTable::LoadSeparatedText without the file: false, table unchanged,
// when the table is busy, its code page cannot be converted or the separator is empty. With an owner that keeps content
// alive, the cells refer to content instead of being copied.
bool ParseSeparatedText(ClassTable& table, std::string_view content, std::shared_ptr<const void> owner = {});

} // namespace lexaro
