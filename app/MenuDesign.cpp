// The panel menus of the main window as designed: the caption panels on MenuPanel, the
// drop-downs with their items, the check images and the arrows of the second level, and the
// sort buttons.

#include "app/Design.h"
#include "app/ImageForm.h"

namespace orvane {

using namespace tk;

namespace {

constexpr uint32_t Face = 0xFFC0C0C0;
constexpr uint32_t Ink = 0xFF000000;

// The tick of a current choice: 17 x 16 pixels, a short stroke down and a long one up.
std::unique_ptr<TBitmap> TickBitmap()
{
    auto bitmap = std::make_unique<TBitmap>(17, 16);
    std::fill(bitmap->MutablePixels().begin(), bitmap->MutablePixels().end(), Face);
    for (int x = 3; x <= 13; ++x) {
        int y = x <= 6 ? 6 + x : 18 - x;
        for (int thick = 0; thick < 3; ++thick)
            bitmap->SetPixel(x, y - 3 + thick, Ink);
    }
    return bitmap;
}

// The arrow of an item that opens a second level: 7 x 13 pixels, pointing right.
std::unique_ptr<TBitmap> ArrowBitmap()
{
    auto bitmap = std::make_unique<TBitmap>(7, 13);
    std::fill(bitmap->MutablePixels().begin(), bitmap->MutablePixels().end(), Face);
    for (int x = 0; x < 4; ++x)
        for (int y = 3 + x; y <= 9 - x; ++y)
            bitmap->SetPixel(x + 1, y, Ink);
    return bitmap;
}

TImage* MakeImage(TForm* form, TWinControl* parent, const char* name, TRect bounds, std::unique_ptr<TBitmap> bitmap,
                  bool visible)
{
    auto* image = new TImage(form);
    image->SetName(name);
    image->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    image->Picture().SetGraphic(std::move(bitmap));
    image->SetVisible(visible);
    image->SetParent(parent);
    return image;
}

TPanel* MakeDropDown(TForm* form, const char* name, int width, int height)
{
    TPanel* panel = MakePanel(form, form, name, Bounds(0, 0, width, height), TBevelCut::bvRaised);
    panel->SetVisible(false);
    return panel;
}

TPanel* MakeItem(TForm* form, TPanel* dropDown, const char* name, int left, int top, int width, const char* caption)
{
    TPanel* item = MakePanel(form, dropDown, name, Bounds(left, top, width, 20), TBevelCut::bvNone);
    item->SetCaption(caption);
    item->SetColor(TColor::System(syscolor::BtnFace));
    item->Font().SetColor(TColor::System(syscolor::WindowText));
    return item;
}

TButton* MakeSortButton(TForm* form, TPanel* parent, const char* name, int left, const char* caption)
{
    auto* button = new TButton(form);
    button->SetName(name);
    button->SetBounds(left, 1, 28, 18);
    button->SetCaption(caption);
    button->Font().SetColor(clBlack);
    button->SetTabStop(false);
    button->SetParent(parent);
    return button;
}

}  // namespace

void TImageForm::CreateMenus()
{
    struct CaptionDesign {
        TPanel* TImageForm::*member;
        const char* name;
        const char* caption;
        int left;
        int width;
    };
    const CaptionDesign captions[] = {
        {&TImageForm::PanelFile, "PanelFile", "ファイル", 4, 65},
        {&TImageForm::PanelView, "PanelView", "ﾋﾞｭｰﾜｰ表示", 70, 86},
        {&TImageForm::PanelTool, "PanelTool", "ﾌｧｲﾙ表示", 156, 64},
        {&TImageForm::PanelHelp, "PanelHelp", "ヘルプ", 222, 56},
    };
    for (const CaptionDesign& design : captions) {
        TPanel* panel = MakePanel(this, MenuPanel, design.name, Bounds(design.left, 3, design.width, 18), TBevelCut::bvNone);
        panel->SetCaption(design.caption);
        this->*design.member = panel;
    }

    MenuFile = MakeDropDown(this, "MenuFile", 90, 44);
    Option = MakeItem(this, MenuFile, "Option", 3, 2, 84, "ｵﾌﾟｼｮﾝ");
    FClose = MakeItem(this, MenuFile, "FClose", 3, 21, 84, "終了");

    FView = MakeDropDown(this, "FView", 90, 67);
    FBunri = MakeItem(this, FView, "FBunri", 3, 2, 84, "  分離　ﾋﾞｭｰ");
    FUnder = MakeItem(this, FView, "FUnder", 3, 22, 84, "下　ﾋﾞｭｰ");
    FRight = MakeItem(this, FView, "FRight", 3, 42, 84, "右　ﾋﾞｭｰ");

    FTool = MakeDropDown(this, "FTool", 90, 65);
    FTol = MakeItem(this, FTool, "FTol", 3, 2, 84, "表示方法");
    Fseiretu = MakeItem(this, FTool, "Fseiretu", 8, 22, 79, "整列方法");
    Fsort = MakeItem(this, FTool, "Fsort", 3, 42, 84, "ｿｰﾄ方法");

    FHelp = MakeDropDown(this, "FHelp", 90, 50);
    Help = MakeItem(this, FHelp, "Help", 7, 5, 78, "Help");
    Help->SetEnabled(false);
    Help->Font().SetColor(TColor::System(syscolor::GrayText));
    FHp = MakeItem(this, FHelp, "FHp", 6, 26, 78, "ﾊﾞｰｼﾞｮﾝ情報");

    ViewFile = MakeDropDown(this, "ViewFile", 89, 67);
    ListView = MakeItem(this, ViewFile, "ListView", 3, 4, 83, "詳細表示");
    SIconView = MakeItem(this, ViewFile, "SIconView", 3, 24, 78, "   ｽﾓｰﾙｱｲｺﾝ");
    LIconView = MakeItem(this, ViewFile, "LIconView", 3, 44, 83, "  ﾗｰｼﾞｱｲｺﾝ");

    ViewSeiretu = MakeDropDown(this, "ViewSeiretu", 89, 86);
    SortFilename = MakeItem(this, ViewSeiretu, "SortFilename", 3, 3, 83, "  ﾌｧｲﾙ名順");
    SortShurui = MakeItem(this, ViewSeiretu, "SortShurui", 3, 23, 83, "種類順");
    SortDay = MakeItem(this, ViewSeiretu, "SortDay", 3, 43, 83, "日付順");
    SortSize = MakeItem(this, ViewSeiretu, "SortSize", 3, 63, 83, "ｻｲｽﾞ順");

    SortMethod = MakeDropDown(this, "SortMethod", 84, 46);
    Asort = MakeItem(this, SortMethod, "Asort", 3, 3, 78, "昇 順");
    Zsort = MakeItem(this, SortMethod, "Zsort", 3, 24, 77, "降 順");

    // The check images, hidden until their item is the current choice.
    struct CheckDesign {
        TImage* TImageForm::*member;
        const char* name;
        TPanel* item;
    };
    const CheckDesign checks[] = {
        {&TImageForm::Image1, "Image1", FBunri},        {&TImageForm::Image2, "Image2", FUnder},
        {&TImageForm::Image3, "Image3", FRight},        {&TImageForm::Image6, "Image6", SortFilename},
        {&TImageForm::Image7, "Image7", SortShurui},    {&TImageForm::Image8, "Image8", SortDay},
        {&TImageForm::Image9, "Image9", SortSize},      {&TImageForm::Image10, "Image10", ListView},
        {&TImageForm::Image11, "Image11", SIconView},   {&TImageForm::Image12, "Image12", LIconView},
        {&TImageForm::Image13, "Image13", Asort},       {&TImageForm::Image14, "Image14", Zsort},
    };
    for (const CheckDesign& design : checks)
        this->*design.member = MakeImage(this, design.item, design.name, Bounds(2, 1, 14, 15), TickBitmap(), false);
    for (TPanel* item : {FTol, Fseiretu, Fsort})
        MakeImage(this, item, (item->Name() + "Arrow").c_str(), Bounds(72, 2, 10, 16), ArrowBitmap(), true);

    Sfname = MakeSortButton(this, SortButton, "Sfname", 1, "名前");
    Sfshurui = MakeSortButton(this, SortButton, "Sfshurui", 29, "種類");
    Sfday = MakeSortButton(this, SortButton, "Sfday", 57, "日時");
    Sfsize = MakeSortButton(this, SortButton, "Sfsize", 86, "ｻｲｽﾞ");
    Sfupdn = MakeSortButton(this, SortButton, "Sfupdn", 123, "昇降");
}

}  // namespace orvane
