#include "common/Design.h"

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

TButton* MakeButton(TForm* form, TWinControl* parent, const char* name, TRect bounds, const std::string& caption)
{
    auto* button = new TButton(form);
    button->SetName(name);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    button->SetCaption(caption);
    button->SetParent(parent);
    return button;
}

TEdit* MakeEdit(TForm* form, TWinControl* parent, const char* name, TRect bounds)
{
    auto* edit = new TEdit(form);
    edit->SetName(name);
    edit->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    edit->SetParent(parent);
    return edit;
}

TUpDown* MakeUpDown(TForm* form, const char* name, TEdit* edit, int min, int max)
{
    auto* upDown = new TUpDown(form);
    upDown->SetName(name);
    upDown->SetMin(min);
    upDown->SetMax(max);
    upDown->SetAssociate(edit);
    return upDown;
}

TComboBox* MakeComboBox(TForm* form, TWinControl* parent, const char* name, TRect bounds,
                        const std::vector<std::string>& items)
{
    auto* combo = new TComboBox(form);
    combo->SetName(name);
    combo->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    combo->SetItems(items);
    combo->SetParent(parent);
    return combo;
}

TCheckBox* MakeCheckBox(TForm* form, TWinControl* parent, const char* name, TRect bounds, const std::string& caption)
{
    auto* box = new TCheckBox(form);
    box->SetName(name);
    box->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    box->SetCaption(caption);
    box->SetParent(parent);
    return box;
}

void SetWindowFont(TForm& form)
{
    form.Font().SetName(DefaultFontName());
    form.Font().SetPixelHeight(12);
    form.Font().SetCharset(TFontCharset::ShiftJisCharset);
}

void SetHints(std::initializer_list<TControl*> controls, const std::string& hint)
{
    for (TControl* control : controls)
        control->SetHint(hint);
}

MediaPanel MakeMediaPanel(TForm* form, TWinControl* parent, const std::string& prefix, TRect bounds, int statusLeft,
                          int statusTop)
{
    MediaPanel media;
    media.panel = MakePanel(form, parent, (prefix + "Midi").c_str(), bounds, TBevelCut::bvLowered);
    auto makeButton = [&](const char* suffix, int left, const char* caption) {
        auto* button = new TButton(form);
        button->SetName(prefix + "Midi" + suffix);
        button->SetBounds(left, 3, 25, 24);
        button->SetCaption(caption);
        button->SetTabStop(false);
        button->SetParent(media.panel);
        return button;
    };
    media.play = makeButton("Play", 3, "play");
    media.stop = makeButton("Stop", 27, "stop");
    std::string statusName = prefix + "MidiStatus";
    media.status = MakeLabel(form, media.panel, statusName.c_str(), statusLeft, statusTop, statusName);
    media.status->Font().SetStyle(fsBold);
    media.status->Font().SetColor(clFuchsia);
    return media;
}

}  // namespace orvane
