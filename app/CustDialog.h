#pragma once

#include "settings/SettingsSchema.h"
#include "settings/SettingsValues.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"

#include <vector>

namespace orvane {

struct Process;

// The settings dialog: every setting of the store on four tabs. It works on copies (the hidden
// Datas panel and Cust_1 ... Cust_7); only OK writes the settings file, stores and applies them.
class TCust : public tk::TForm {
public:
    TCust(tk::TComponent* owner, Process& process);

    tk::TPageControl* PageControl1 = nullptr;
    tk::TButton* OkButton = nullptr;
    tk::TButton* CanButton = nullptr;

    // The capture tab.
    tk::TTabSheet* TabSheet1 = nullptr;
    tk::TEdit* WaitTime = nullptr;
    tk::TUpDown* UpDown1 = nullptr;
    tk::TEdit* CapW = nullptr;
    tk::TUpDown* UpDown3 = nullptr;
    tk::TEdit* CapH = nullptr;
    tk::TUpDown* UpDown2 = nullptr;
    tk::TComboBox* CapGetCol = nullptr;
    tk::TComboBox* CapMessage = nullptr;
    tk::TStringGrid* CapNames = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TLabel* Label3 = nullptr;
    tk::TLabel* Label4 = nullptr;
    tk::TLabel* Label5 = nullptr;
    tk::TLabel* Label6 = nullptr;
    // The tab of the files shown as text.
    tk::TTabSheet* TabSheet2 = nullptr;
    tk::TStringGrid* TextNames = nullptr;
    tk::TComboBox* ETCtype = nullptr;
    tk::TLabel* Label7 = nullptr;
    tk::TLabel* Label8 = nullptr;
    // The cache tab.
    tk::TTabSheet* TabSheet3 = nullptr;
    tk::TEdit* CashDir = nullptr;
    tk::TButton* SerchDir = nullptr;
    tk::TEdit* CashSize = nullptr;
    tk::TUpDown* UpDown4 = nullptr;
    tk::TLabel* Label9 = nullptr;
    tk::TLabel* Label10 = nullptr;
    // The tab of how the main window starts.
    tk::TTabSheet* TabSheet5 = nullptr;
    tk::TComboBox* FileView = nullptr;
    tk::TComboBox* SeFile = nullptr;
    tk::TComboBox* SortFile = nullptr;
    tk::TCheckBox* MenuBar = nullptr;
    tk::TCheckBox* InfoBar = nullptr;
    tk::TComboBox* ViewSet = nullptr;
    tk::TLabel* Label11 = nullptr;
    tk::TLabel* Label12 = nullptr;
    tk::TLabel* Label13 = nullptr;
    tk::TLabel* Label14 = nullptr;
    tk::TLabel* Label15 = nullptr;

    // The working copies: the values the dialog was opened with.
    tk::TPanel* Datas = nullptr;
    tk::TLabel* DWaitTime = nullptr;
    tk::TLabel* DCapH = nullptr;
    tk::TLabel* DCapW = nullptr;
    tk::TLabel* DCapGetCol = nullptr;
    tk::TLabel* DCapMessage = nullptr;
    tk::TLabel* DETCtype = nullptr;
    tk::TLabel* DCashDir = nullptr;
    tk::TLabel* DFileView = nullptr;
    tk::TLabel* DSortFile = nullptr;
    tk::TLabel* DMenuBar = nullptr;
    tk::TLabel* DInfoBar = nullptr;
    tk::TLabel* DViewSet = nullptr;
    tk::TLabel* DSeFile = nullptr;
    tk::TLabel* DCapW_Max = nullptr;
    tk::TLabel* DCapH_Max = nullptr;
    tk::TLabel* DCPath = nullptr;
    tk::TLabel* DCashSize = nullptr;
    tk::TLabel* DIconCount = nullptr;
    tk::TStringGrid* DCapNames = nullptr;
    tk::TStringGrid* DTextNames = nullptr;
    tk::TStringGrid* DIconList = nullptr;

    void FormCreate(tk::TObject* sender);
    void FormShow(tk::TObject* sender);
    void CapGetColChange(tk::TObject* sender);
    void CapMessageChange(tk::TObject* sender);
    void ETCtypeChange(tk::TObject* sender);
    void FileViewChange(tk::TObject* sender);
    void SortFileChange(tk::TObject* sender);
    void ViewSetChange(tk::TObject* sender);
    void SeFileChange(tk::TObject* sender);
    void MenuBarClick(tk::TObject* sender);
    void InfoBarClick(tk::TObject* sender);
    void CapNamesExit(tk::TObject* sender);
    void TextNamesExit(tk::TObject* sender);
    void PageControl1Changing(tk::TObject* sender, bool& allowChange);
    void PageControl1Change(tk::TObject* sender);
    void SerchDirClick(tk::TObject* sender);
    void OkButtonClick(tk::TObject* sender);

private:
    // A combo box, the process-wide index it keeps (Cust_1 ... Cust_7) and its working copy.
    struct Choice {
        tk::TComboBox* box;
        int Process::*index;
        tk::TLabel* working;
    };

    void CreateComponents();
    void CreateCaptureSheet();
    void CreateTextSheet();
    void CreateCacheSheet();
    void CreateStartSheet();
    void CreateDatas();
    void BindHandlers();
    // The dialog's component of the name and kind; null where it has none.
    template <class Component>
    Component* Named(const std::string& name) const;
    tk::TLabel& WorkingCopy(const TSettingField& field) const;
    std::vector<Choice> Choices() const;
    void ChoiceChange(tk::TComboBox* box);
    void CopyStoreToWorkingCopies();
    void FillGrids();
    // The texts of the five edits into their working copies, and back.
    void KeepEditTexts();
    void RestoreEditTexts();
    TSettingsValues Values() const;
    // False, with the user told, when the cache folder edit is blank.
    bool AcceptCacheFolder();

    Process& m_process;
};

}  // namespace orvane
