// The settings dialog as designed: four tabs above the OK and Cancel buttons, a row of label and
// control per setting, and the hidden working copies. Positions on a tab are relative to its
// page, which lies at (4, 24) in the page control.

#include "common/Design.h"
#include "app/CustDialog.h"

namespace orvane {

using namespace tk;

TCust::TCust(TComponent* owner, Process& process) : TForm(owner), m_process(process)
{
    SetName("Cust");
    SetCaption("Orvane　環境設定");
    SetPosition(TFormPosition::poScreenCenter);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientWidth(320);
    SetClientHeight(285);
    SetShowHint(true);
    SetWindowFont(*this);
    CreateComponents();
}

namespace {
// The list grids: the state column is fixed, the extension column takes typing, and the rows
// scroll when there are more than the grid's height shows.
TStringGrid* MakeListGrid(TForm* form, TWinControl* parent, const char* name, int left, int top, int rowCount)
{
    constexpr int RowHeight = 17;
    constexpr int ColWidth = 58;
    // Both columns, the frame and a scroll bar fit across.
    TStringGrid* grid = MakeGrid(form, parent, name, Bounds(left, top, 2 * ColWidth + 4 + 16, rowCount * RowHeight + 4),
                                 2, rowCount);
    grid->SetDefaultColWidth(ColWidth);
    grid->SetDefaultRowHeight(RowHeight);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetEditing(true);
    return grid;
}
}  // namespace

void TCust::CreateComponents()
{
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetBounds(8, 8, 307, 240);
    PageControl1->SetParent(this);
    auto makeSheet = [this](const char* name, const char* caption) {
        auto* sheet = new TTabSheet(this);
        sheet->SetName(name);
        sheet->SetCaption(caption);
        sheet->SetPageControl(PageControl1);
        return sheet;
    };
    TabSheet1 = makeSheet("TabSheet1", "画像取込");
    TabSheet2 = makeSheet("TabSheet2", "ﾋﾞｭｰ表示ﾌｧｲﾙ");
    TabSheet3 = makeSheet("TabSheet3", "動作環境");
    TabSheet5 = makeSheet("TabSheet5", "起動時表示方法");
    CreateCaptureSheet();
    CreateTextSheet();
    CreateCacheSheet();
    CreateStartSheet();
    PageControl1->SetActivePage(TabSheet1);

    // OK closes the dialog itself once the settings are saved; Esc is Cancel.
    OkButton = MakeButton(this, this, "OkButton", Bounds(160, 254, 75, 25), "ＯＫ");
    CanButton = MakeButton(this, this, "CanButton", Bounds(240, 254, 75, 25), "ｷｬﾝｾﾙ");
    CanButton->SetCancel(true);
    CanButton->SetModalResult(mrCancel);

    CreateDatas();
    BindHandlers();
}

void TCust::CreateCaptureSheet()
{
    Label1 = MakeLabel(this, TabSheet1, "Label1", 8, 12, "取込み待ち時間（秒）");
    WaitTime = MakeEdit(this, TabSheet1, "WaitTime", Bounds(156, 8, 49, 21));
    WaitTime->SetReadOnly(true);
    UpDown1 = MakeUpDown(this, "UpDown1", WaitTime, 1, 1638);
    SetHints({Label1, WaitTime, UpDown1}, "画像取り込み迄の待ち時間を設定します。");

    Label2 = MakeLabel(this, TabSheet1, "Label2", 8, 37, "ｳｲﾝﾄﾞｳ取込最大ｻｲｽﾞ(幅)");
    CapW = MakeEdit(this, TabSheet1, "CapW", Bounds(156, 33, 49, 21));
    UpDown3 = MakeUpDown(this, "UpDown3", CapW, 10, 600);
    SetHints({CapW, UpDown3}, "ｳｲﾝﾄﾞｳｻｲｽﾞ変更（幅）");

    Label3 = MakeLabel(this, TabSheet1, "Label3", 8, 62, "ｳｲﾝﾄﾞｳ取込最大ｻｲｽﾞ(高さ)");
    CapH = MakeEdit(this, TabSheet1, "CapH", Bounds(156, 58, 49, 21));
    UpDown2 = MakeUpDown(this, "UpDown2", CapH, 10, 480);
    SetHints({CapH, UpDown2}, "ｳｲﾝﾄﾞｳｻｲｽﾞ変更（高さ）");
    SetHints({Label2, Label3}, "画像取込の最大サイズを設定します。");

    // No capture reads the colour depth yet, so its box stays disabled.
    Label4 = MakeLabel(this, TabSheet1, "Label4", 8, 87, "取込色");
    CapGetCol = MakeComboBox(this, TabSheet1, "CapGetCol", Bounds(156, 83, 100, 20),
                             {"ﾌﾙｶﾗｰ", "256 色", "16　色", "ﾓﾉｸﾛ"});
    CapGetCol->SetEnabled(false);
    SetHints({CapGetCol}, "ただいま工事中");

    Label5 = MakeLabel(this, TabSheet1, "Label5", 8, 112, "取込終了ﾒｯｾｰｼﾞ");
    CapMessage = MakeComboBox(this, TabSheet1, "CapMessage", Bounds(156, 108, 100, 20), {"表示しない", "表示する"});
    SetHints({Label5, CapMessage}, "取り込み完了メッセージの表示有無を設定します。");

    Label6 = MakeLabel(this, TabSheet1, "Label6", 8, 137, "取込ﾃﾞｰﾀ  ﾀｲﾌﾟ");
    CapNames = MakeListGrid(this, TabSheet1, "CapNames", 156, 134, 4);
    SetHints({Label6, CapNames}, "取り込みファイルタイプを設定します。拡張子を入力して下さい。");
}

void TCust::CreateTextSheet()
{
    Label7 = MakeLabel(this, TabSheet2, "Label7", 8, 12, "ﾃｷｽﾄ表示ﾃﾞｰﾀ  ﾀｲﾌﾟ");
    TextNames = MakeListGrid(this, TabSheet2, "TextNames", 8, 30, 5);
    SetHints({Label7, TextNames}, "テキストデータと判断するファイルを指定します。拡張子を入力して下さい。");

    Label8 = MakeLabel(this, TabSheet2, "Label8", 170, 12, "指定外のﾌｧｲﾙﾀｲﾌﾟ");
    ETCtype = MakeComboBox(this, TabSheet2, "ETCtype", Bounds(170, 30, 121, 20), {"ﾃｷｽﾄとして表示", "表示しない"});
    SetHints({Label8}, "指定外タイプの扱いを設定します。");
    SetHints({ETCtype}, "指定外タイプのファイルの扱いを設定します。");
}

void TCust::CreateCacheSheet()
{
    Label9 = MakeLabel(this, TabSheet3, "Label9", 8, 12, "ﾃﾞｨｽｸｷｬｯｼｭﾃﾞｨﾚｸﾄﾘ");
    CashDir = MakeEdit(this, TabSheet3, "CashDir", Bounds(8, 30, 220, 21));
    SetHints({Label9, CashDir}, "取り込んだ画像データの保存先を設定します。");
    SerchDir = MakeButton(this, TabSheet3, "SerchDir", Bounds(234, 29, 57, 23), "参 照");
    SetHints({SerchDir}, "指定したいフォルダが良く分かんないとき押して下さい。");

    Label10 = MakeLabel(this, TabSheet3, "Label10", 8, 68, "ｷｬｯｼｭｻｲｽﾞ（ＭＢ）");
    CashSize = MakeEdit(this, TabSheet3, "CashSize", Bounds(8, 86, 49, 21));
    CashSize->SetReadOnly(true);
    UpDown4 = MakeUpDown(this, "UpDown4", CashSize, 1, 1638);
    SetHints({Label10, CashSize, UpDown4}, "ｷｬｯｼｭｻｲｽﾞを指定します");
}

void TCust::CreateStartSheet()
{
    Label11 = MakeLabel(this, TabSheet5, "Label11", 8, 12, "ﾌｧｲﾙ表示");
    FileView = MakeComboBox(this, TabSheet5, "FileView", Bounds(110, 8, 130, 20),
                            {"詳細一覧表示", "ｽﾓｰﾙｱｲｺﾝ表示", "ﾗｰｼﾞｱｲｺﾝ表示"});
    Label12 = MakeLabel(this, TabSheet5, "Label12", 8, 40, "ﾌｧｲﾙ整列");
    SeFile = MakeComboBox(this, TabSheet5, "SeFile", Bounds(110, 36, 130, 20), {"ﾌｧｲﾙ名順", "種類順", "日付順", "ｻｲｽﾞ順"});
    Label13 = MakeLabel(this, TabSheet5, "Label13", 8, 68, "ﾌｧｲﾙｿｰﾄ方法");
    SortFile = MakeComboBox(this, TabSheet5, "SortFile", Bounds(110, 64, 130, 20), {"昇　順", "降　順"});
    Label14 = MakeLabel(this, TabSheet5, "Label14", 8, 96, "ﾂｰﾙﾊﾞｰ表示");
    MenuBar = MakeCheckBox(this, TabSheet5, "MenuBar", Bounds(110, 95, 85, 17), "ﾒﾆｭｰ　ﾊﾞｰ");
    InfoBar = MakeCheckBox(this, TabSheet5, "InfoBar", Bounds(200, 95, 85, 17), "情報　ﾊﾞｰ");
    Label15 = MakeLabel(this, TabSheet5, "Label15", 8, 124, "ﾋﾞｭｰﾜｰ設定");
    ViewSet = MakeComboBox(this, TabSheet5, "ViewSet", Bounds(110, 120, 130, 20),
                           {"分離　ビュー", "下　ビュー", "右　ビュー"});
    SetHints({ViewSet}, "見易いビューワーを選んで下さい。");
}

void TCust::CreateDatas()
{
    Datas = MakePanel(this, this, "Datas", Bounds(8, 8, 300, 200), TBevelCut::bvRaised);
    Datas->SetVisible(false);
    struct LabelDesign {
        TLabel* TCust::*member;
        const char* name;
    };
    const LabelDesign labels[] = {
        {&TCust::DWaitTime, "DWaitTime"},   {&TCust::DCapH, "DCapH"},         {&TCust::DCapW, "DCapW"},
        {&TCust::DCapGetCol, "DCapGetCol"}, {&TCust::DCapMessage, "DCapMessage"}, {&TCust::DETCtype, "DETCtype"},
        {&TCust::DCashDir, "DCashDir"},     {&TCust::DFileView, "DFileView"}, {&TCust::DSortFile, "DSortFile"},
        {&TCust::DMenuBar, "DMenuBar"},     {&TCust::DInfoBar, "DInfoBar"},   {&TCust::DViewSet, "DViewSet"},
        {&TCust::DSeFile, "DSeFile"},       {&TCust::DCapW_Max, "DCapW_Max"}, {&TCust::DCapH_Max, "DCapH_Max"},
        {&TCust::DCPath, "DCPath"},         {&TCust::DCashSize, "DCashSize"}, {&TCust::DIconCount, "DIconCount"},
    };
    int top = 4;
    for (const LabelDesign& design : labels) {
        this->*design.member = MakeLabel(this, Datas, design.name, 4, top, design.name);
        top += 10;
    }
    DCapNames = MakeGrid(this, Datas, "DCapNames", Bounds(120, 4, 90, 60), 2, 5);
    DTextNames = MakeGrid(this, Datas, "DTextNames", Bounds(120, 68, 90, 60), 2, 5);
    DIconList = MakeGrid(this, Datas, "DIconList", Bounds(214, 4, 80, 120), 2, 100);
}

void TCust::BindHandlers()
{
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    CapGetCol->OnChange = [this](TObject* sender) { CapGetColChange(sender); };
    CapMessage->OnChange = [this](TObject* sender) { CapMessageChange(sender); };
    ETCtype->OnChange = [this](TObject* sender) { ETCtypeChange(sender); };
    FileView->OnChange = [this](TObject* sender) { FileViewChange(sender); };
    SortFile->OnChange = [this](TObject* sender) { SortFileChange(sender); };
    ViewSet->OnChange = [this](TObject* sender) { ViewSetChange(sender); };
    SeFile->OnChange = [this](TObject* sender) { SeFileChange(sender); };
    MenuBar->OnClick = [this](TObject* sender) { MenuBarClick(sender); };
    InfoBar->OnClick = [this](TObject* sender) { InfoBarClick(sender); };
    CapNames->OnExit = [this](TObject* sender) { CapNamesExit(sender); };
    TextNames->OnExit = [this](TObject* sender) { TextNamesExit(sender); };
    PageControl1->OnChanging = [this](TObject* sender, bool& allowChange) { PageControl1Changing(sender, allowChange); };
    PageControl1->OnChange = [this](TObject* sender) { PageControl1Change(sender); };
    SerchDir->OnClick = [this](TObject* sender) { SerchDirClick(sender); };
    OkButton->OnClick = [this](TObject* sender) { OkButtonClick(sender); };
}

}  // namespace orvane
