// The About dialog: the program's icon, its name in two words and its version, and one button.

#include "app/AboutDialog.h"
#include "common/Design.h"
#include "toolkit/Application.h"

namespace orvane {

using namespace tk;

TVerForm::TVerForm(TComponent* owner) : TForm(owner)
{
    SetName("VerForm");
    SetCaption("Orvane ﾊﾞｰｼﾞｮﾝ情報");
    SetPosition(TFormPosition::poScreenCenter);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBorderIcons(0);
    SetClientWidth(239);
    SetClientHeight(127);
    SetHint("完成版を鋭意作成中");
    SetShowHint(true);
    SetWindowFont(*this);
    CreateComponents();
}

namespace {
// The program's icon: a window with a black title band and a fuchsia bar, 32 x 32.
std::unique_ptr<TBitmap> ProgramIcon()
{
    auto icon = std::make_unique<TBitmap>(32, 32);
    TCanvas& canvas = icon->Canvas();
    canvas.SetBrushColor(clSilver);
    canvas.FillRect(TRect{0, 0, 32, 32});
    canvas.SetBrushColor(clBlack);
    canvas.FillRect(TRect{2, 2, 30, 9});
    canvas.SetBrushColor(clFuchsia);
    canvas.FillRect(TRect{4, 4, 20, 7});
    canvas.SetBrushColor(clWhite);
    canvas.FillRect(TRect{4, 12, 28, 28});
    return icon;
}
}  // namespace

void TVerForm::CreateComponents()
{
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetBounds(8, 8, 33, 41);
    Image1->Picture().SetGraphic(ProgramIcon());
    Image1->SetHint("もっとかっこいいアイコンにしたい。");
    Image1->SetParent(this);
    Panel1 = MakePanel(this, this, "Panel1", Bounds(49, 8, 178, 73), TBevelCut::bvLowered);
    Panel1->SetHint("そのうち完成すると思う．．．？");
    Label1 = MakeLabel(this, Panel1, "Label1", 8, 6, "Or");
    Label1->Font().SetName("ＭＳ 明朝");
    Label1->Font().SetPixelHeight(13);
    Label1->Font().SetStyle(fsBold | fsItalic);
    Label1->Font().SetColor(clRed);
    Label1->SetHint("ふつうのファイルビューワー");
    Label2 = MakeLabel(this, Panel1, "Label2", 71, 16, "vane");
    Label2->Font().SetPixelHeight(16);
    Label2->Font().SetStyle(fsBold | fsItalic);
    Label2->Font().SetColor(clBlack);
    Label2->SetHint("見るだけで開けるビューワー");
    Label3 = MakeLabel(this, Panel1, "Label3", 77, 37, "β３");
    Label3->Font().SetPixelHeight(13);
    Label3->Font().SetStyle(fsBold | fsItalic);
    Label3->Font().SetColor(clBlack);
    Label3->SetHint("次は正式版にします");
    Label4 = MakeLabel(this, Panel1, "Label4", 39, 55, "Linux 版 C++20");
    Label4->Font().SetPixelHeight(11);
    Label4->SetHint("この版はLinuxのデスクトップで動きます");
    OkButton = MakeButton(this, this, "OkButton", Bounds(89, 96, 65, 25), "確 認");
    OkButton->SetDefault(true);
    OkButton->SetCancel(true);
    OkButton->SetModalResult(mrOk);

    OnShow = [this](TObject* sender) { FormShow(sender); };
    Image1->OnDblClick = [this](TObject* sender) { Image1DblClick(sender); };
}

void TVerForm::FormShow(TObject*)
{
    SetClientWidth(Panel1->Width() + Panel1->Left() + 12);
    SetClientHeight(OkButton->Height() + OkButton->Top() + 6);
}

void TVerForm::Image1DblClick(TObject*)
{
    Application()->MessageBox("Orvane はフォルダの中身を見るためのビューワーです。", "Orvane", mbOk | mbIconInformation);
}

}  // namespace orvane
