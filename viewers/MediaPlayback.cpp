// Sound and video playback: the three media panels and the one player behind them. Each
// operation updates the detached window's panel and the right pane's before it commands the
// player and the lower pane's after, so that when the player raises an error the panels keep
// exactly that mixed state.

#include "viewers/Viewers.h"

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

void TViewers::Play()
{
    for (TArrangement before : {TArrangement::Separate, TArrangement::Right})
        ShowPlaying(m_services.pane(before).media);
    m_parts.player.Play();
    ShowPlaying(m_services.pane(TArrangement::Under).media);
}

void TViewers::Stop()
{
    for (TArrangement before : {TArrangement::Separate, TArrangement::Right})
        ShowWaiting(m_services.pane(before).media);
    m_parts.player.Stop();
    ShowWaiting(m_services.pane(TArrangement::Under).media);
}

}  // namespace orvane
