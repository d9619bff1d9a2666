// The main window as designed: every component with its geometry, texts and fixed properties.

#include "app/Design.h"
#include "app/ImageForm.h"

namespace orvane {

using namespace tk;


void TImageForm::CreateComponents()
{
    SetName("ImageForm");
    SetPosition(TFormPosition::poScreenCenter);
    SetClientWidth(594);
    SetClientHeight(336);
    Font().SetName(DefaultFontName());
    Font().SetPixelHeight(12);
    Font().SetCharset(TFontCharset::ShiftJisCharset);

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

}  // namespace orvane
