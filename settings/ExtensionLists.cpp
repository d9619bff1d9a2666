#include "settings/ExtensionLists.h"

#include <algorithm>

namespace orvane {

// Every row that holds an entry counts, those past the grid's visible rows too: the settings
// dialog shows and writes them, so they must not sit in the file without effect.
bool ListsExtension(const tk::TStringGrid& list, const std::string& extension)
{
    const int rows = std::max(list.RowCount(), list.StoredRowCount());
    for (int row = 1; row < rows; ++row)
        if (list.Cell(1, row) == extension)
            return true;
    return false;
}

}  // namespace orvane
