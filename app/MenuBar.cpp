// The panel menus: hovering a caption raises it; a click opens its drop-down and enters menu
// mode, in which hovering another caption opens that one's drop-down at once. Items light up
// under the pointer.

#include "app/AboutDialog.h"
#include "app/ImageForm.h"
#include "app/CustDialog.h"
#include "toolkit/Application.h"

#include <tuple>

namespace orvane {

using namespace tk;

namespace {
const TColor NormalBack = TColor::System(syscolor::BtnFace);
const TColor NormalText = TColor::System(syscolor::WindowText);
const TColor LitBack = TColor::System(syscolor::ActiveCaption);
const TColor LitText = TColor::System(syscolor::Window);

// An item under the pointer is lit; the others are painted in their normal colours.
void PaintLit(TPanel* item)
{
    item->SetColor(LitBack);
    item->Font().SetColor(LitText);
}

void PaintNormal(TPanel* item)
{
    item->SetColor(NormalBack);
    item->Font().SetColor(NormalText);
}
}  // namespace

void TImageForm::ResetMenuItemColors()
{
    for (TPanel* item : {FHp, FTol, FUnder, FRight, FBunri, FClose, Option})
        PaintNormal(item);
}

TPanel* TImageForm::DropDownOf(TPanel* caption) const
{
    return caption == PanelFile ? MenuFile : caption == PanelView ? FView : caption == PanelTool ? FTool : FHelp;
}

// The caption's own coordinates within the menu panel serve directly as the window's.
void TImageForm::PlaceDropDown(TPanel* caption)
{
    TPanel* dropDown = DropDownOf(caption);
    dropDown->SetLeft(caption->Left() + 5);
    dropDown->SetTop(caption->Top() + caption->Height());
}

void TImageForm::EnterCaption(TPanel* caption, int menuNumber)
{
    ResetMenuItemColors();
    MenuView->SetCaption("1");
    if (m_process.HoveredMenu == menuNumber)
        return;
    m_process.HoveredMenu = menuNumber;
    for (TPanel* other : {PanelFile, PanelView, PanelTool, PanelHelp})
        if (other != caption)
            other->SetBevelOuter(TBevelCut::bvNone);
    if (m_process.MenuMode == 1) {
        caption->SetBevelOuter(TBevelCut::bvLowered);
        PlaceDropDown(caption);
        for (TPanel* other : {PanelFile, PanelView, PanelTool, PanelHelp})
            DropDownOf(other)->SetVisible(other == caption);
    } else {
        caption->SetBevelOuter(TBevelCut::bvRaised);
    }
}

void TImageForm::ClickCaption(TPanel* caption)
{
    if (m_process.MenuMode != 0) {
        m_process.MenuMode = 0;
        caption->SetBevelOuter(TBevelCut::bvNone);
        DropDownOf(caption)->Hide();
        return;
    }
    m_process.MenuMode = 1;
    caption->SetBevelOuter(TBevelCut::bvLowered);
    PlaceDropDown(caption);
    DropDownOf(caption)->Show();
}

void TImageForm::PanelFileMouseMove(TObject*, TShiftState, int, int) { EnterCaption(PanelFile, Process::FileMenu); }
void TImageForm::PanelViewMouseMove(TObject*, TShiftState, int, int) { EnterCaption(PanelView, Process::ViewMenu); }
void TImageForm::PanelToolMouseMove(TObject*, TShiftState, int, int) { EnterCaption(PanelTool, Process::ToolMenu); }
void TImageForm::PanelHelpMouseMove(TObject*, TShiftState, int, int) { EnterCaption(PanelHelp, Process::HelpMenu); }
void TImageForm::PanelFileClick(TObject*) { ClickCaption(PanelFile); }
void TImageForm::PanelViewClick(TObject*) { ClickCaption(PanelView); }
void TImageForm::PanelToolClick(TObject*) { ClickCaption(PanelTool); }
void TImageForm::PanelHelpClick(TObject*) { ClickCaption(PanelHelp); }

// Menu mode stays on: the next caption entered opens its drop-down at once.
void TImageForm::MenuPanelMouseMove(TObject*, TShiftState, int, int)
{
    if (MenuView->Caption() != "1")
        return;
    for (TPanel* caption : {PanelFile, PanelView, PanelTool, PanelHelp})
        caption->SetBevelOuter(TBevelCut::bvNone);
    HideDropDowns(TDropDowns::Both);
    m_process.HoveredMenu = Process::NoMenu;
    MenuView->SetCaption("0");
}

void TImageForm::PanelInfoMouseMove(TObject*, TShiftState, int, int)
{
    if (m_process.MenuMode == 1)
        return;
    for (TPanel* caption : {PanelFile, PanelView, PanelTool, PanelHelp})
        caption->SetBevelOuter(TBevelCut::bvNone);
    m_process.HoveredMenu = Process::NoMenu;
}

void TImageForm::Highlight(TPanel* item, const std::vector<TPanel*>& normal)
{
    if (item)
        PaintLit(item);
    for (TPanel* other : normal)
        PaintNormal(other);
}

// A second level opens beside its item, always measured by the first item's width.
void TImageForm::OpenSecondLevel(TPanel* item, TPanel* dropDown)
{
    dropDown->SetLeft(item->Left() + FTool->Left() + FTol->Width() - 2);
    dropDown->SetTop(item->Top() + FTool->Top());
    for (TPanel* other : {ViewFile, ViewSeiretu, SortMethod})
        other->SetVisible(other == dropDown);
}

void TImageForm::OptionClick(TObject*)
{
    CloseMenus();
    auto dialog = Application()->NewForm<TCust>(m_process);
    dialog->ShowModal();
}

void TImageForm::FCloseClick(TObject*)
{
    Close();
}

void TImageForm::FHpClick(TObject*)
{
    PaintNormal(FHp);
    FHelp->Hide();
    CloseMenus();
    auto dialog = Application()->NewForm<TVerForm>();
    dialog->ShowModal();
}

void TImageForm::BindMenuBarHandlers()
{
    auto move = [](auto handler) {
        return [handler](TObject*, TShiftState, int, int) { handler(); };
    };
    using MouseMoveHandler = void (TImageForm::*)(TObject*, TShiftState, int, int);
    using ClickHandler = void (TImageForm::*)(TObject*);
    const std::tuple<TPanel*, MouseMoveHandler, ClickHandler> captions[] = {
        {PanelFile, &TImageForm::PanelFileMouseMove, &TImageForm::PanelFileClick},
        {PanelView, &TImageForm::PanelViewMouseMove, &TImageForm::PanelViewClick},
        {PanelTool, &TImageForm::PanelToolMouseMove, &TImageForm::PanelToolClick},
        {PanelHelp, &TImageForm::PanelHelpMouseMove, &TImageForm::PanelHelpClick},
    };
    auto bindMove = [this](TControl* control, MouseMoveHandler handler) {
        control->OnMouseMove = [this, handler](TObject* sender, TShiftState shift, int x, int y) {
            (this->*handler)(sender, shift, x, y);
        };
    };
    for (const auto& [caption, moveHandler, clickHandler] : captions) {
        bindMove(caption, moveHandler);
        caption->OnClick = [this, handler = clickHandler](TObject* sender) { (this->*handler)(sender); };
    }
    for (TControl* workArea : std::initializer_list<TControl*>{MenuPanel, DirectoryListBox1, ListView1, PanelFsize,
                                                               PanelFshurui, PanelFday, SortButton})
        bindMove(workArea, &TImageForm::MenuPanelMouseMove);
    for (TControl* band : std::initializer_list<TControl*>{PanelInfo, DirBox})
        bindMove(band, &TImageForm::PanelInfoMouseMove);

    struct ItemRule {
        TPanel* over;
        TPanel* lit;
        std::initializer_list<TPanel*> normal;
    };
    const ItemRule rules[] = {
        {Option, Option, {FClose}},
        {FClose, FClose, {Option}},
        {MenuFile, nullptr, {Option, FClose}},
        {FBunri, FBunri, {FUnder, FRight}},
        {FUnder, FUnder, {FBunri, FRight}},
        {FRight, FRight, {FBunri, FUnder}},
        {FView, nullptr, {FBunri, FUnder, FRight}},
        {FHp, FHp, {}},
        {FHelp, nullptr, {FHp}},
        {ListView, ListView, {SIconView, LIconView}},
        {SIconView, SIconView, {ListView, LIconView}},
        {LIconView, LIconView, {SIconView, ListView}},
        {SortFilename, SortFilename, {SortShurui, SortDay, SortSize}},
        {SortShurui, SortShurui, {SortFilename, SortDay, SortSize}},
        {SortDay, SortDay, {SortFilename, SortShurui, SortSize}},
        {SortSize, SortSize, {SortFilename, SortShurui, SortDay}},
        {Asort, Asort, {Zsort}},
        {Zsort, Zsort, {Asort}},
    };
    for (const ItemRule& rule : rules) {
        std::vector<TPanel*> normal(rule.normal);
        rule.over->OnMouseMove = move([this, lit = rule.lit, normal] { Highlight(lit, normal); });
    }
    // The tool menu's items open their second level as they light up.
    FTol->OnMouseMove = move([this] {
        Highlight(FTol, {Fsort, Fseiretu});
        OpenSecondLevel(FTol, ViewFile);
    });
    Fseiretu->OnMouseMove = move([this] {
        Highlight(Fseiretu, {FTol, Fsort});
        OpenSecondLevel(Fseiretu, ViewSeiretu);
    });
    Fsort->OnMouseMove = move([this] {
        Highlight(Fsort, {FTol, Fseiretu});
        OpenSecondLevel(Fsort, SortMethod);
    });
    FTool->OnMouseMove = move([this] { HideDropDowns(TDropDowns::SecondLevel); });

    Option->OnClick = [this](TObject* sender) { OptionClick(sender); };
    FClose->OnClick = [this](TObject* sender) { FCloseClick(sender); };
    FHp->OnClick = [this](TObject* sender) { FHpClick(sender); };
    FBunri->OnClick = [this](TObject* sender) { FBunriClick(sender); };
    FUnder->OnClick = [this](TObject* sender) { FUnderClick(sender); };
    FRight->OnClick = [this](TObject* sender) { FRightClick(sender); };
}

}  // namespace orvane
