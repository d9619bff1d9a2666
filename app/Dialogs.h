#pragma once

// The other four windows: the detached viewer and the three dialogs.

#include "app/Process.h"
#include "toolkit/Form.h"

namespace orvane {

// The viewer of the separate arrangement: a window of its own that stays above the others.
class Tview : public tk::TForm {
public:
    Tview(tk::TComponent* owner, Process& process);

private:
    Process& m_process;
};

// The About dialog.
class TVerForm : public tk::TForm {
public:
    TVerForm(tk::TComponent* owner, Process& process);

private:
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
