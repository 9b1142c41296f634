#pragma once
// The options of a text search through the grid's cells, bit 0 first.

#include "plataforma/base/small_set.h"

enum TFindParameter {
    fnMatchCase,            // compare case-sensitively
    fnMatchFull,            // the whole cell text must equal the search text
    fnMatchRegular,         // wildcard match in place of a substring
    fnDirectionLeftRight,   // row by row; without it column by column
    fnMatchStart,           // the text must stand at the start of the cell
    fnFindInCurrentRow,     // only the grid's current row
    fnFindInCurrentCol,     // only the grid's current column
    fnIncludeFixed,         // fixed rows and columns too
    fnAutoGoto,             // move the current cell to a hit
    fnIgnoreHTMLTags,       // compare the cell text without its markup
    fnBackward,             // walk backwards
    fnIncludeHiddenColumns, // hidden columns too, addressed by their real index
    fnFindInPresetCol,      // only the preset search column
    fnFindInPresetRow       // only the preset search row
};
using TFindParameters = SmallSet<TFindParameter>;
