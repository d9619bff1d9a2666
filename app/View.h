#pragma once

#include "app/Process.h"
#include "toolkit/Form.h"
#include "toolkit/Html.h"
#include "toolkit/Image.h"
#include "toolkit/RichEdit.h"
#include "toolkit/StdCtrls.h"
#include "viewers/Panes.h"

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

    // The window's viewer pane.
    TViewerPane Pane() const;

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

}  // namespace orvane
