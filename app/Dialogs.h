#pragma once

// The other four windows: the detached viewer and the three dialogs.

#include "app/Process.h"
#include "toolkit/Form.h"
#include "toolkit/Html.h"
#include "toolkit/Image.h"
#include "toolkit/RichEdit.h"
#include "toolkit/StdCtrls.h"

namespace orvane {

// The viewer of the separate arrangement: a window of its own that stays above the others.
class Tview : public tk::TForm {
public:
    Tview(tk::TComponent* owner, Process& process);

    tk::TPanel* Panel = nullptr;
    tk::TImage* Image1 = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TPanel* Midi = nullptr;
    tk::TButton* MidiPlay = nullptr;
    tk::TButton* MidiStop = nullptr;
    tk::TLabel* MidiStatus = nullptr;
    tk::THTML* HTML = nullptr;
    tk::TRichEdit* RichEdit1 = nullptr;

    // A click on the window or its picture hides the main window's drop-down menus (only them).
    void FormClick(tk::TObject* sender);
    void Image1Click(tk::TObject* sender);
    // The window's media panel plays and stops through the main window's operations.
    void MidiPlayClick(tk::TObject* sender);
    void MidiStopClick(tk::TObject* sender);

private:
    void CreateComponents();

    Process& m_process;
};

// The About dialog.
class TVerForm : public tk::TForm {
public:
    TVerForm(tk::TComponent* owner, Process& process);

    tk::TImage* Image1 = nullptr;
    tk::TPanel* Panel1 = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TLabel* Label3 = nullptr;
    tk::TLabel* Label4 = nullptr;
    tk::TButton* OkButton = nullptr;

    void FormShow(tk::TObject* sender);
    void Image1DblClick(tk::TObject* sender);

private:
    void CreateComponents();

    Process& m_process;
};

// The settings dialog.
class TCust : public tk::TForm {
public:
    TCust(tk::TComponent* owner, Process& process);

private:
    Process& m_process;
};

// The folder chooser of the settings dialog.
class TSerch : public tk::TForm {
public:
    TSerch(tk::TComponent* owner, Process& process);

private:
    Process& m_process;
};

}  // namespace orvane
