// Sound and video playback: the three media panels and the one player behind them. Each
// operation updates the detached window's panel and the right pane's before it commands the
// player and the lower pane's after, so that when the player raises an error the panels keep
// exactly that mixed state.

#include "app/ImageForm.h"
#include "viewers/View.h"

namespace orvane {

using namespace tk;

namespace {
// The red caption marks the button that can be pressed.
void ShowPlaying(const MediaPanel& media)
{
    TLabel& status = *media.status;
    TButton& play = *media.play;
    TButton& stop = *media.stop;
    status.SetCaption("Playing Now");
    status.Font().SetColor(clFuchsia);
    play.SetEnabled(false);
    play.Font().SetColor(clWindowText);
    stop.Font().SetColor(clRed);
    stop.SetEnabled(true);
}

void ShowWaiting(const MediaPanel& media)
{
    TLabel& status = *media.status;
    TButton& play = *media.play;
    TButton& stop = *media.stop;
    status.SetCaption("Waiting Now");
    status.Font().SetColor(clGreen);
    stop.SetEnabled(false);
    stop.Font().SetColor(clWindowText);
    play.Font().SetColor(clRed);
    play.SetEnabled(true);
}
}  // namespace

void TImageForm::U_MidiPlayClick(TObject*)
{
    for (TArrangement before : {TArrangement::Separate, TArrangement::Right})
        ShowPlaying(Pane(before).media);
    UnderMediaPlay->Play();
    ShowPlaying(Pane(TArrangement::Under).media);
}

void TImageForm::U_MidiStopClick(TObject*)
{
    for (TArrangement before : {TArrangement::Separate, TArrangement::Right})
        ShowWaiting(Pane(before).media);
    UnderMediaPlay->Stop();
    ShowWaiting(Pane(TArrangement::Under).media);
}

// The notice does not say why the playing ended; stopping is right for every reason.
void TImageForm::UnderMediaPlayNotify(TObject* sender)
{
    U_MidiStopClick(sender);
}

void Tview::MidiPlayClick(TObject* sender)
{
    m_process.ImageForm->U_MidiPlayClick(sender);
}

void Tview::MidiStopClick(TObject* sender)
{
    m_process.ImageForm->U_MidiStopClick(sender);
}

}  // namespace orvane
