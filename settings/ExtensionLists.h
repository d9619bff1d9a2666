#pragma once

// The capture list and the text list of the settings: grids whose column 1 holds an extension in
// each row from row 1 on (row 0 holds the headers).

#include "toolkit/Grids.h"

#include <string>

namespace orvane {

// Whether the list holds the extension in a row of its own, exactly as written.
bool ListsExtension(const tk::TStringGrid& list, const std::string& extension);

}  // namespace orvane
