#pragma once

#include "toolkit/FileCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/StdCtrls.h"

namespace orvane {

class TCust;

// The folder chooser of the settings dialog: its OK puts the chosen folder into the CashDir edit
// of the settings dialog that opened it.
class TSerch : public tk::TForm {
public:
    explicit TSerch(tk::TComponent* owner, TCust* settings = nullptr);

    tk::TPanel* Panel1 = nullptr;
    tk::TDirectoryListBox* DirectoryList = nullptr;
    tk::TDriveComboBox* DriveCombo = nullptr;
    tk::TButton* OK = nullptr;
    tk::TButton* Cancel = nullptr;

    void FormShow(tk::TObject* sender);
    void OKClick(tk::TObject* sender);

private:
    void CreateComponents();

    TCust* m_settings;
};

}  // namespace orvane
