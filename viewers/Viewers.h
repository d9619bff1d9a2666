#pragma once

// The viewers as one object: it decides how the selected file is shown (a picture, sound or video,
// a page, a notice or text), shows and hides the parts of the three panes alike, loads the content
// into the pane of the current arrangement, and plays and stops the one media player behind the
// three media panels. It is given the components it works with and asks for the panes through its
// services, since the detached window is made after the main window.

#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"
#include "toolkit/MediaPlayer.h"
#include "toolkit/StdCtrls.h"
#include "viewers/Panes.h"

#include <array>
#include <functional>
#include <string>

namespace platform {
class Host;
class IIcons;
}  // namespace platform

namespace orvane {

class TViewers {
public:
    struct Parts {
        tk::TForm& mainWindow;                // its own scroll bars go back to nothing for a text
        tk::TMediaPlayer& player;             // UnderMediaPlay: the one player of all panes
        const tk::TImage& iconBackground;     // BackBmp: what a program's icon is drawn on
        const tk::TImageList& largeIcons;     // ImageList2: the program icon of the list
        const tk::TLabel& unlistedFiles;      // ETCtype: what types no list names get
        const tk::TStringGrid& captureTypes;  // CapNames: shown as their captured picture
        const tk::TStringGrid& textTypes;     // TextNames: shown as text
    };
    // The process-wide values of the shown file.
    struct State {
        const std::string& currentPath;
        int& pictureShown;
    };
    struct Services {
        platform::Host& host;
        // Where a program's icon comes from; read at each use, since a test may swap it.
        platform::IIcons* const& icons;
        // The pane of an arrangement (None has no parts) and the arrangement shown now.
        std::function<TViewerPane(TArrangement)> pane;
        std::function<TArrangement()> current;
        // The detached window, which scrolls a picture with bars of its own.
        std::function<tk::TForm&()> window;
    };

    // What ETCtype says of files of types that no list names: they are shown as text, or refused
    // with a notice; any other value shows nothing.
    static constexpr int UnlistedAsText = 0;
    static constexpr int UnlistedRefused = 1;

    TViewers(Parts parts, State state, Services services);

    // Shows the file at the current path, of the name and extension (upper-cased) given;
    // `captureFile` is where its captured picture would be.
    void Show(const std::string& name, const std::string& extension, const std::string& captureFile);

    // Play and stop from any of the three media panels, which always show the same state.
    void Play();
    void Stop();

private:
    enum class TPictureSource { Capture, File, CaptureThenFile };
    enum class TTextKind { Rich, Plain, Unlisted };
    // Whether the detached window scrolls what it shows with scroll bars of its own: a picture, yes.
    enum class TWindowScroll { Fixed, Scrolls };

    std::array<TViewerPane, 3> Panes() const;
    void ShowPaneParts(unsigned shown, unsigned hidden, TWindowScroll windowScroll);
    void ShowPicture(TPictureSource source, const std::string& extension, const std::string& captureFile);
    int PageWidth(TArrangement arrangement);
    void ShowMedia();
    void ShowHtml();
    void ShowNotice(const char* notice);
    void ShowText(TTextKind kind, int unlistedFiles);

    Parts m_parts;
    State m_state;
    Services m_services;
};

}  // namespace orvane
