// The main window as designed: every component with its geometry, texts and fixed properties.
// The top band and the list panel, the two docked viewer panes, the hidden settings store and the
// panel menus, in the order they are made.

#include "common/Design.h"
#include "app/ImageForm.h"
#include "settings/SettingsSchema.h"

namespace orvane {

using namespace tk;

namespace {

// ---- The viewer panes --------------------------------------------------------------------
// Within a pane the picture and the labels lie beneath the controls with windows of their own
// (rich edit, scroll bars, HTML control, media panel).

TImage* MakePicture(TForm* form, TPanel* pane, const char* name, TRect bounds)
{
    auto* image = new TImage(form);
    image->SetName(name);
    image->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    image->SetAutoSize(true);
    image->SetParent(pane);
    return image;
}

// The first label shows the notices in large bold type; the second the product's name in red.
TLabel* MakeNotice(TForm* form, TPanel* pane, const char* name, int left, int top)
{
    TLabel* label = MakeLabel(form, pane, name, left, top, "データがありません");
    label->Font().SetName(DefaultFontName());
    label->Font().SetPixelHeight(19);
    label->Font().SetStyle(fsBold);
    label->Font().SetColor(clBlack);
    label->SetVisible(false);
    return label;
}

TLabel* MakeProductName(TForm* form, TPanel* pane, const char* name, int left, int top)
{
    TLabel* label = MakeLabel(form, pane, name, left, top, "Orvane");
    label->Font().SetName(DefaultFontName());
    label->Font().SetPixelHeight(12);
    label->Font().SetColor(clRed);
    label->SetVisible(false);
    return label;
}

TScrollBar* MakeBar(TForm* form, TPanel* pane, const char* name, TScrollBarKind kind, TRect bounds, int pageStep)
{
    auto* bar = new TScrollBar(form);
    bar->SetName(name);
    bar->SetKind(kind);
    bar->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    bar->SetParams(0, 0, 100);
    bar->SetPageSize(0);
    bar->SetLargeChange(pageStep);
    bar->SetParent(pane);
    return bar;
}

// The panes' rich edits show text and rich text read-only, with both scroll bars and no wrap.
TRichEdit* MakeRichEdit(TForm* form, TPanel* pane, const char* name)
{
    auto* edit = new TRichEdit(form);
    edit->SetName(name);
    edit->SetAlign(TAlign::alClient);
    edit->SetReadOnly(true);
    edit->SetScrollBars(TScrollStyle::ssBoth);
    edit->SetWordWrap(false);
    edit->SetParent(pane);
    return edit;
}

THTML* MakeHtml(TForm* form, TPanel* pane, const char* name)
{
    auto* html = new THTML(form);
    html->SetName(name);
    html->SetAlign(TAlign::alClient);
    html->SetParent(pane);
    return html;
}

// The panes' media panels write their status in the default face, 12 pixels high.
MediaPanel MakePaneMediaPanel(TForm* form, TPanel* pane, const std::string& prefix, TRect bounds, int statusLeft,
                              int statusTop)
{
    MediaPanel media = MakeMediaPanel(form, pane, prefix, bounds, statusLeft, statusTop);
    media.status->Font().SetName(DefaultFontName());
    media.status->Font().SetPixelHeight(12);
    return media;
}

// ---- The panel menus ---------------------------------------------------------------------

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

TImage* MakeImage(TForm* form, TWinControl* parent, const char* name, TRect bounds, std::unique_ptr<TBitmap> bitmap)
{
    auto* image = new TImage(form);
    image->SetName(name);
    image->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    image->Picture().SetGraphic(std::move(bitmap));
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

void TImageForm::CreateComponents()
{
    SetName("ImageForm");
    SetPosition(TFormPosition::poScreenCenter);
    SetClientWidth(594);
    SetClientHeight(336);
    SetWindowFont(*this);

    UpperView = MakePanel(this, this, "UpperView", Bounds(0, 0, 594, 50), TBevelCut::bvNone);
    UpperView->SetAlign(TAlign::alTop);
    MenuPanel = MakePanel(this, UpperView, "MenuPanel", Bounds(2, 0, 288, 25), TBevelCut::bvNone);
    PanelInfo = MakePanel(this, UpperView, "PanelInfo", Bounds(123, 24, 410, 24), TBevelCut::bvNone);
    InfoButton = MakePanel(this, PanelInfo, "InfoButton", Bounds(4, 2, 4, 21), TBevelCut::bvRaised);
    InfoButton->SetVisible(false);
    InfoButton->SetCursor(crHSplit);
    DirBox = MakePanel(this, UpperView, "DirBox", Bounds(-5, 25, 133, 25), TBevelCut::bvNone);
    DriveComboBox2 = new TDriveComboBox(this);
    DriveComboBox2->SetName("DriveComboBox2");
    DriveComboBox2->SetBounds(11, 3, 118, 18);
    DriveComboBox2->SetParent(DirBox);
    DirButton = MakePanel(this, DirBox, "DirButton", Bounds(4, 2, 5, 21), TBevelCut::bvRaised);
    DirButton->SetVisible(false);
    DirButton->SetCursor(crHSplit);

    Mark = MakePanel(this, UpperView, "Mark", Bounds(531, 0, 50, 50), TBevelCut::bvNone);
    Mark->SetColor(clBlack);
    Mark->SetHint("画像取込中は青くなります。");
    MarkTitle = new TLabel(this);
    MarkTitle->SetName("MarkTitle");
    MarkTitle->SetParent(Mark);
    MarkTitle->SetAutoSize(false);
    MarkTitle->SetBounds(6, 12, 206, 24);
    MarkTitle->Font().SetColor(clFuchsia);
    MarkTitle->Font().SetStyle(fsBold);
    MarkTitle->Font().SetPixelHeight(24);
    MarkTitle->SetCaption("Orvane");

    SortButton = MakePanel(this, UpperView, "SortButton", Bounds(283, -1, 155, 21), TBevelCut::bvNone);

    // The info bar's fields, each a fixed caption and its value.
    PanelFsize = MakePanel(this, PanelInfo, "PanelFsize", Bounds(10, 2, 106, 20), TBevelCut::bvNone);
    Label3 = MakeLabel(this, PanelFsize, "Label3", 2, 4, "ｻｲｽﾞ");
    Label4 = MakeLabel(this, PanelFsize, "Label4", 34, 4, "");
    Label4->Font().SetStyle(fsBold);
    Label5 = MakeLabel(this, PanelFsize, "Label5", 78, 4, "");
    PanelFshurui = MakePanel(this, PanelInfo, "PanelFshurui", Bounds(116, 2, 118, 20), TBevelCut::bvNone);
    Label6 = MakeLabel(this, PanelFshurui, "Label6", 2, 4, "ﾌｧｲﾙの種類");
    Label7 = MakeLabel(this, PanelFshurui, "Label7", 70, 4, "");
    PanelFday = MakePanel(this, PanelInfo, "PanelFday", Bounds(234, 2, 174, 20), TBevelCut::bvNone);
    Label8 = MakeLabel(this, PanelFday, "Label8", 2, 4, "更新日時");
    Label9 = MakeLabel(this, PanelFday, "Label9", 50, 4, "");

    UpDoor = MakePanel(this, this, "UpDoor", Bounds(2, 50, 584, 3), TBevelCut::bvRaised);
    UpDoor->SetCursor(crVSplit);
    UpDoor->SetHint("情報ﾊﾞｰを表示させたり、消したりできます。");
    UpDoor->SetShowHint(true);

    MainPanel = MakePanel(this, this, "MainPanel", Bounds(0, 53, 473, 153), TBevelCut::bvLowered);
    DirectoryListBox1 = new TDirectoryListBox(this);
    DirectoryListBox1->SetName("DirectoryListBox1");
    DirectoryListBox1->SetBounds(1, 1, 124, 151);
    // The tree and the list dock to the left and right of the list panel, so they follow its
    // height whatever changes it.
    DirectoryListBox1->SetAlign(TAlign::alLeft);
    DirectoryListBox1->SetParent(MainPanel);
    DriveComboBox2->SetDirList(DirectoryListBox1);
    CenterDoor = MakePanel(this, MainPanel, "CenterDoor", Bounds(116, 1, 3, 152), TBevelCut::bvRaised);
    CenterDoor->SetCursor(crHSplit);
    ListView1 = new TListView(this);
    ListView1->SetName("ListView1");
    ListView1->SetBounds(160, 1, 312, 151);
    ListView1->SetAlign(TAlign::alRight);
    ListView1->SetParent(MainPanel);
    ListView1->AddColumn("ファイル名", 150, TAlignment::taLeftJustify);
    ListView1->AddColumn("サイズ", 80, TAlignment::taRightJustify);
    ListView1->AddColumn("種類", 80, TAlignment::taCenter);
    ListView1->AddColumn("更新日時", 120, TAlignment::taLeftJustify);
    ListView1->SetViewStyle(TViewStyle::vsList);
    ListView2 = new TListView(this);
    ListView2->SetName("ListView2");
    ListView2->SetVisible(false);
    ListView2->SetParent(this);

    struct ImageListDesign {
        TImageList* TImageForm::*member;
        const char* name;
        int size;
    };
    const ImageListDesign imageLists[] = {
        {&TImageForm::ImageList1, "ImageList1", 16},
        {&TImageForm::ImageList2, "ImageList2", 32},
        {&TImageForm::ImageList3, "ImageList3", 16},
        {&TImageForm::ImageList4, "ImageList4", 32},
    };
    for (const ImageListDesign& design : imageLists) {
        auto* list = new TImageList(this);
        list->SetName(design.name);
        list->SetSize(design.size, design.size);
        this->*design.member = list;
    }
    ListView1->SetSmallImages(ImageList1);
    ListView1->SetLargeImages(ImageList2);

    RightDoor = MakePanel(this, this, "RightDoor", Bounds(473, 54, 3, 153), TBevelCut::bvRaised);
    RightDoor->SetCursor(crHSplit);
    RightDoor->SetHint("ビューワーの大きさを変更できます。");
    RightView = MakePanel(this, this, "RightView", Bounds(481, 61, 104, 157), TBevelCut::bvLowered);
    DownDoor = MakePanel(this, this, "DownDoor", Bounds(2, 206, 478, 3), TBevelCut::bvRaised);
    DownDoor->SetCursor(crVSplit);
    DownDoor->SetHint("ビューワーの大きさを変更できます。");
    UnderView = MakePanel(this, this, "UnderView", Bounds(0, 218, 481, 150), TBevelCut::bvLowered);

    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer2 = new TTimer(this);
    Timer2->SetName("Timer2");
    Timer2->SetEnabled(false);
    Timer2->SetInterval(10000);
    BackBmp = new TImage(this);
    BackBmp->SetName("BackBmp");
    BackBmp->SetBounds(56, 240, 32, 32);
    BackBmp->SetVisible(false);
    BackBmp->Picture().SetGraphic(std::make_unique<TBitmap>(32, 32));
    BackBmp->Canvas().SetBrushColor(clBtnFace);
    BackBmp->Canvas().FillRect(TRect{0, 0, 32, 32});
    BackBmp->SetParent(this);
    GetImage = new TImage(this);
    GetImage->SetName("GetImage");
    GetImage->SetBounds(8, 240, 44, 15);
    GetImage->SetVisible(false);
    GetImage->SetParent(this);

    CreatePanes();
    CreateDatas();
    CreateMenus();
}

// The two docked viewer panes.
void TImageForm::CreatePanes()
{
    UImage = MakePicture(this, UnderView, "UImage", Bounds(1, 1, 479, 148));
    ULabel = MakeNotice(this, UnderView, "ULabel", 7, 3);
    ULabel2 = MakeProductName(this, UnderView, "ULabel2", 106, 25);
    URichEdit = MakeRichEdit(this, UnderView, "URichEdit");
    URichEdit->Lines().SetText(" ");
    UScrollBarY = MakeBar(this, UnderView, "UScrollBarY", TScrollBarKind::sbVertical, Bounds(426, 4, 16, 78), 1);
    UScrollBarX = MakeBar(this, UnderView, "UScrollBarX", TScrollBarKind::sbHorizontal, Bounds(0, 64, 121, 10), 1);
    UnderMediaPlay = new TMediaPlayer(this);
    UnderMediaPlay->SetName("UnderMediaPlay");
    UnderMediaPlay->SetBounds(432, 16, 29, 30);
    UnderMediaPlay->SetVisible(false);
    UnderMediaPlay->SetParent(UnderView);
    UnderMediaPlay->SetDisplay(UnderView);
    UnderMediaPlay->OnNotify = [this](TObject* sender) { UnderMediaPlayNotify(sender); };
    U_HTML = MakeHtml(this, UnderView, "U_HTML");
    MediaPanel under = MakePaneMediaPanel(this, UnderView, "U_", Bounds(1, 0, 140, 30), 58, 10);
    U_Midi = under.panel;
    U_MidiPlay = under.play;
    U_MidiStop = under.stop;
    U_MidiStatus = under.status;
    U_Midi->SetVisible(false);

    RImage = MakePicture(this, RightView, "RImage", Bounds(1, 1, 102, 155));
    RLabel = MakeNotice(this, RightView, "RLabel", 13, 3);
    RLabel2 = MakeProductName(this, RightView, "RLabel2", 9, 27);
    RRichEdit = MakeRichEdit(this, RightView, "RRichEdit");
    RScrollBarX = MakeBar(this, RightView, "RScrollBarX", TScrollBarKind::sbHorizontal, Bounds(2, 136, 99, 10), 1);
    RScrollBarY = MakeBar(this, RightView, "RScrollBarY", TScrollBarKind::sbVertical, Bounds(82, 8, 16, 121), 10);
    MediaPanel right = MakePaneMediaPanel(this, RightView, "R_", Bounds(1, 0, 88, 45), 5, 29);
    R_Midi = right.panel;
    R_MidiPlay = right.play;
    R_MidiStop = right.stop;
    R_MidiStatus = right.status;
    R_HTML = MakeHtml(this, RightView, "R_HTML");

    for (TButton* play : {U_MidiPlay, R_MidiPlay})
        play->OnClick = [this](TObject* sender) { U_MidiPlayClick(sender); };
    for (TButton* stop : {U_MidiStop, R_MidiStop})
        stop->OnClick = [this](TObject* sender) { U_MidiStopClick(sender); };
}

// The settings store: a hidden panel of labels and grids, each holding its value as text.
void TImageForm::CreateDatas()
{
    Datas = MakePanel(this, this, "Datas", Bounds(8, 120, 400, 200), TBevelCut::bvRaised);
    Datas->SetVisible(false);

    struct LabelDesign {
        TLabel* TImageForm::*member;
        const char* name;
        // Null for a setting: its caption is the settings schema's form value.
        const char* caption = nullptr;
    };
    const LabelDesign labels[] = {
        {&TImageForm::WaitTime, "WaitTime"},
        {&TImageForm::CapH, "CapH"},
        {&TImageForm::CapW, "CapW"},
        {&TImageForm::CapGetCol, "CapGetCol"},
        {&TImageForm::CapMessage, "CapMessage"},
        {&TImageForm::ETCtype, "ETCtype"},
        {&TImageForm::FileView, "FileView"},
        {&TImageForm::SortFile, "SortFile"},
        {&TImageForm::ViewSet, "ViewSet"},
        {&TImageForm::SeFile, "SeFile"},
        {&TImageForm::MenuBar, "MenuBar"},
        {&TImageForm::InfoBar, "InfoBar"},
        {&TImageForm::CashDir, "CashDir"},
        {&TImageForm::CashSize, "CashSize"},
        {&TImageForm::CapW_Max, "CapW_Max"},
        {&TImageForm::CapH_Max, "CapH_Max"},
        {&TImageForm::CPath, "CPath"},
        {&TImageForm::IconCount, "IconCount"},
        {&TImageForm::MenuView, "MenuView", "0"},
        {&TImageForm::UpDoorData, "UpDoorData", "50"},
        {&TImageForm::RightDoorData, "RightDoorData", "10"},
        {&TImageForm::DownDoorData, "DownDoorData", "30"},
    };
    int top = 4;
    for (const LabelDesign& design : labels) {
        const char* caption = design.caption ? design.caption : FindSetting(design.name)->formValue;
        this->*design.member = MakeLabel(this, Datas, design.name, 4 + (top / 180) * 100, 4 + top % 180, caption);
        top += 14;
    }

    CapNames = MakeGrid(this, Datas, "CapNames", Bounds(200, 4, 90, 60), 2, 5);
    TextNames = MakeGrid(this, Datas, "TextNames", Bounds(200, 68, 90, 60), 2, 5);
    IconList = MakeGrid(this, Datas, "IconList", Bounds(300, 4, 90, 120), 2, 100);
}

// The panel menus: the caption panels on MenuPanel, the drop-downs with their items, the check
// images and the arrows of the second level, and the sort buttons.
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
    // A tick shows only while its choice is current; none is before the settings are applied.
    for (const CheckDesign& design : checks) {
        TImage* tick = MakeImage(this, design.item, design.name, Bounds(2, 1, 14, 15), TickBitmap());
        tick->SetVisible(false);
        this->*design.member = tick;
    }
    for (TPanel* item : {FTol, Fseiretu, Fsort})
        MakeImage(this, item, (item->Name() + "Arrow").c_str(), Bounds(72, 2, 10, 16), ArrowBitmap());

    Sfname = MakeSortButton(this, SortButton, "Sfname", 1, "名前");
    Sfshurui = MakeSortButton(this, SortButton, "Sfshurui", 29, "種類");
    Sfday = MakeSortButton(this, SortButton, "Sfday", 57, "日時");
    Sfsize = MakeSortButton(this, SortButton, "Sfsize", 86, "ｻｲｽﾞ");
    Sfupdn = MakeSortButton(this, SortButton, "Sfupdn", 123, "昇降");
}

}  // namespace orvane
