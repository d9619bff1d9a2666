#pragma once

// Helpers for the tables that lay out each form as designed: each makes one component owned by
// the form, names it, places it and gives it its parent.

#include "toolkit/ComCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"

#include <string>
#include <vector>

namespace orvane {

tk::TPanel* MakePanel(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds,
                      tk::TBevelCut bevel);
// A label that sizes itself to its caption.
tk::TLabel* MakeLabel(tk::TForm* form, tk::TWinControl* parent, const char* name, int left, int top,
                      const std::string& caption);
tk::TStringGrid* MakeGrid(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds, int colCount,
                          int rowCount);

tk::TButton* MakeButton(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds,
                        const std::string& caption);
tk::TEdit* MakeEdit(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds);
// An up-down control bound to the edit, at its right, stepping between min and max.
tk::TUpDown* MakeUpDown(tk::TForm* form, const char* name, tk::TEdit* edit, int min, int max);
tk::TComboBox* MakeComboBox(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds,
                            const std::vector<std::string>& items);
tk::TCheckBox* MakeCheckBox(tk::TForm* form, tk::TWinControl* parent, const char* name, tk::TRect bounds,
                            const std::string& caption);
// The type of every window of the program: the default face, 12 pixels high, in the Shift-JIS
// character set.
void SetWindowFont(tk::TForm& form);

// Gives the controls one hint; they show it when their form shows hints.
void SetHints(std::initializer_list<tk::TControl*> controls, const std::string& hint);

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
