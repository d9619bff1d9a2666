#include "app/Design.h"

namespace orvane {

using namespace tk;

TPanel* MakePanel(TForm* form, TWinControl* parent, const char* name, TRect bounds, TBevelCut bevel)
{
    auto* panel = new TPanel(form);
    panel->SetName(name);
    panel->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    panel->SetBevelOuter(bevel);
    panel->SetParent(parent);
    return panel;
}

TLabel* MakeLabel(TForm* form, TWinControl* parent, const char* name, int left, int top, const std::string& caption)
{
    auto* label = new TLabel(form);
    label->SetName(name);
    label->SetLeft(left);
    label->SetTop(top);
    label->SetCaption(caption);
    label->SetParent(parent);
    return label;
}

TStringGrid* MakeGrid(TForm* form, TWinControl* parent, const char* name, TRect bounds, int colCount, int rowCount)
{
    auto* grid = new TStringGrid(form);
    grid->SetName(name);
    grid->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    grid->SetColCount(colCount);
    grid->SetRowCount(rowCount);
    grid->SetParent(parent);
    return grid;
}

}  // namespace orvane
