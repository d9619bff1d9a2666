#include "app/Dialogs.h"

namespace orvane {

using namespace tk;

namespace {
void SetWindowFont(TForm& form)
{
    form.Font().SetName(DefaultFontName());
    form.Font().SetPixelHeight(12);
    form.Font().SetCharset(TFontCharset::ShiftJisCharset);
}
}  // namespace

Tview::Tview(TComponent* owner, Process& process) : TForm(owner), m_process(process)
{
    SetName("view");
    SetCaption("view");
    SetBounds(212, 311, 476, 212);
    SetFormStyle(TFormStyle::fsStayOnTop);
    // Minimise and maximise without the system menu: the title bar offers no close button.
    SetBorderIcons(biMinimize | biMaximize);
    SetWindowFont(*this);
    CreateComponents();
}

TVerForm::TVerForm(TComponent* owner, Process& process) : TForm(owner), m_process(process)
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

TSerch::TSerch(TComponent* owner, Process& process, TCust* settings)
    : TForm(owner), m_process(process), m_settings(settings)
{
    SetName("Serch");
    SetCaption("ﾌｫﾙﾀﾞ参照　Orvane");
    SetPosition(TFormPosition::poScreenCenter);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientWidth(208);
    SetClientHeight(248);
    SetHint("画像データを保存したいフォルダを選択して下さい。");
    SetShowHint(true);
    SetWindowFont(*this);
    CreateComponents();
}

}  // namespace orvane
