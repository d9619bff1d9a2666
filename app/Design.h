#pragma once

// Helpers for the tables that lay out each form as designed: each makes one component owned by
// the form, names it, places it and gives it its parent.

#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"

#include <string>

namespace orvane {

tk::TPanel* MakePanel(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds,
                      tk::TBevelCut bevel);
// A label that sizes itself to its caption.
tk::TLabel* MakeLabel(tk::TForm* form, tk::TWinControl* parent, const char* name, int left, int top,
                      const std::string& caption);
tk::TStringGrid* MakeGrid(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds, int colCount,
                          int rowCount);

struct MediaPanel {
    tk::TPanel* panel;
    tk::TButton* play;
    tk::TButton* stop;
    tk::TLabel* status;
};

// A media panel named prefix + "Midi": play and stop buttons that take no focus, and a bold
// fuchsia status label that starts out showing its own name.
MediaPanel MakeMediaPanel(tk::TForm* form, tk::TWinControl* parent, const std::string& prefix, tk::TRect bounds,
                          int statusLeft, int statusTop);

}  // namespace orvane
