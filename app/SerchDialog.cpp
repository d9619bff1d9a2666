// The folder chooser of the settings dialog: a folder list over a drive box in a lowered panel,
// and OK and Cancel. It starts in the process's current folder, as every new folder list does.

#include "app/SerchDialog.h"
#include "common/Design.h"
#include "app/CustDialog.h"

namespace orvane {

using namespace tk;

TSerch::TSerch(TComponent* owner, TCust* settings) : TForm(owner), m_settings(settings)
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

void TSerch::CreateComponents()
{
    Panel1 = MakePanel(this, this, "Panel1", Bounds(16, 16, 174, 193), TBevelCut::bvLowered);
    DirectoryList = new TDirectoryListBox(this);
    DirectoryList->SetName("DirectoryList");
    DirectoryList->SetBounds(1, 1, 172, 165);
    DirectoryList->SetParent(Panel1);
    SetHints({DirectoryList}, "画像データを保存したいフォルダを選択して下さい。");
    DriveCombo = new TDriveComboBox(this);
    DriveCombo->SetName("DriveCombo");
    DriveCombo->SetBounds(1, 170, 172, 19);
    DriveCombo->SetParent(Panel1);
    DriveCombo->SetDirList(DirectoryList);
    SetHints({DriveCombo}, "画像データを保存したいドライブを選択して下さい。");

    OK = MakeButton(this, this, "OK", Bounds(32, 216, 75, 25), "OK");
    OK->SetModalResult(mrOk);
    Cancel = MakeButton(this, this, "Cancel", Bounds(112, 216, 75, 25), "ｷｬﾝｾﾙ");
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);

    OnShow = [this](TObject* sender) { FormShow(sender); };
    OK->OnClick = [this](TObject* sender) { OKClick(sender); };
}

void TSerch::FormShow(TObject*)
{
    SetClientWidth(Panel1->Width() + Panel1->Left() + 18);
    SetClientHeight(OK->Height() + OK->Top() + 7);
}

// The folder goes into the settings dialog's edit only; nothing is stored before that dialog's OK.
// A list that has no folder to give (it could not read where it stands) leaves the edit alone.
void TSerch::OKClick(TObject*)
{
    if (m_settings && !DirectoryList->Directory().empty())
        m_settings->CashDir->SetText(DirectoryList->Directory());
}

}  // namespace orvane
