#pragma once

// The disk cache of captured windows: where the picture of a started document is kept, the timed
// capture of the foreground window into it, and the trim that keeps the cache within its limit.
// It reads its settings from the main window's store (the cache folder, the size limit, the
// largest picture, whether to say when a capture is done) and draws the taken picture into the
// window's hidden image; it reports to the user through the message box it is given.

#include "toolkit/Grids.h"
#include "toolkit/Image.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/Timer.h"

#include <functional>
#include <string>

namespace platform {
class Host;
}

namespace orvane {

class TCaptureCache {
public:
    // The components the cache works with: the settings it reads and the parts of the window it
    // changes.
    struct Parts {
        const tk::TLabel& folder;        // CashDir: the cache folder
        const tk::TLabel& sizeLimit;     // CashSize: the limit in mebibytes
        const tk::TLabel& maxWidth;      // CapW
        const tk::TLabel& maxHeight;     // CapH
        const tk::TLabel& sayWhenDone;   // CapMessage: "1" to say so
        tk::TImage& picture;             // GetImage: the picture taken last
        tk::TPanel& mark;                // the title mark, red while a capture is armed
        tk::TTimer& timer;               // Timer2: the capture's delay
        const tk::TLabel& delay;         // WaitTime: the delay in seconds
        const tk::TStringGrid& types;    // CapNames: the extensions whose windows are captured
    };
    // Shows a message box: text, caption, flags.
    using MessageBox = std::function<void(const std::string&, const std::string&, unsigned)>;

    TCaptureCache(Parts parts, platform::Host& host, MessageBox messageBox);

    // The picture file in the cache of the document whose path was flattened into one name.
    std::string FileOf(const std::string& flattenedPath) const;
    // Before the application of a document is started: the delay is taken from the settings, and
    // the document's path (the one the viewer last showed) is flattened and named as its picture.
    void Prepare(std::string& documentPath, std::string& file);
    // After the application started for a document of the extension: the capture is armed (the
    // mark turns blue and the timer runs) when the capture list names the extension. A name
    // without an extension arms none: it would match the list's empty cells, and the picture of
    // that program would be filed under the document clicked before it.
    void Arm(const std::string& extension);
    // The timer's tick: copies the foreground window into `file` and disarms.
    void Capture(const std::string& file);
    // Keeps the cache folder's pictures within the size limit by deleting the oldest.
    void Trim();

private:
    Parts m_parts;
    platform::Host& m_host;
    MessageBox m_messageBox;
};

}  // namespace orvane
