#pragma once

// What the component model asks of its surroundings: a clock for timers, a message loop for the
// application and modal forms, message boxes, text measurement, folders, the reading of picture
// and text files, and the drawing of metafiles. The Qt back end provides the real ones; tests and
// the probe provide their own.

#include "toolkit/Font.h"
#include "toolkit/RichText.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace formats {
struct Image;
struct Metafile;
}

namespace tk {

class TForm;
class TGraphic;
class TTimer;

class IClock {
public:
    virtual ~IClock() = default;
    // (Re)starts counting: the timer fires every intervalMs from now on until stopped.
    virtual void StartTimer(TTimer& timer, int intervalMs) = 0;
    virtual void StopTimer(TTimer& timer) = 0;
};

class IMessageLoop {
public:
    virtual ~IMessageLoop() = default;
    // Runs until Quit.
    virtual void Run() = 0;
    virtual void Quit() = 0;
    // Runs while the form is shown modally, until its ModalResult is set or it is hidden.
    virtual void RunModal(TForm& form) = 0;
    // The form's ModalResult was set: its modal loop may end.
    virtual void EndModal(TForm& form) {}
    // Runs the task on the GUI thread from the loop, after the handler that runs now; tasks run
    // in the order they were posted. Safe to call from any thread.
    virtual void Post(std::function<void()> task) = 0;
};

// Button sets and icons of a message box, with the numbers of the original desktop.
enum TMessageBoxFlags : unsigned {
    mbOk = 0x0,
    mbOkCancel = 0x1,
    mbYesNo = 0x4,
    mbIconError = 0x10,
    mbIconQuestion = 0x20,
    mbIconWarning = 0x30,
    mbIconInformation = 0x40,
};
constexpr unsigned mbButtonMask = 0xF;
constexpr unsigned mbIconMask = 0xF0;

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Shows a message box (texts in code page 932) and returns the modal result of the button
    // that closed it.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

class ITextMetrics {
public:
    virtual ~ITextMetrics() = default;
    // Size in pixels of a one-line text (code page 932) in the font.
    virtual int TextWidth(const TFont& font, const std::string& text) = 0;
    virtual int TextHeight(const TFont& font) = 0;
};

// Reads picture files; the component model itself reads no files.
class IPictureFormats {
public:
    virtual ~IPictureFormats() = default;
    // The picture in the file at a DOS path (code page 932), of the kind its extension names.
    // Throws EInOutError when the file cannot be read, and EInvalidGraphic when its extension is of
    // no known kind or its content cannot be decoded; the message names the file and the reason.
    virtual std::unique_ptr<TGraphic> LoadPicture(const std::string& dosPath) = 0;
    // The same for a pane `pageWidth` pixels wide: a document page is drawn to that width, a
    // picture keeps its own size.
    virtual std::unique_ptr<TGraphic> LoadPicture(const std::string& dosPath, int pageWidth);
};

// Decodes the pictures and documents whose readers only the back end has (WebP, TIFF and XPM
// through its image readers, the first page of a PDF); the component model decodes nothing itself.
class IPictureDecoder {
public:
    virtual ~IPictureDecoder() = default;
    // The picture in `bytes`, a file of the format named by its upper-case extension ("WEBP",
    // "PDF"). A document page, which has no size in pixels of its own, is drawn `pageWidth` pixels
    // wide. False with the reason in `error` for data that does not decode, for a locked
    // document, and for a picture larger than formats::ImageSizeAllowed allows.
    virtual bool Decode(const std::string& format, std::string_view bytes, int pageWidth, formats::Image& image,
                        std::string& error) = 0;
};

// Draws metafiles, for the pictures that hold one (TMetafile); the component model draws no
// vectors itself.
class IMetafileRenderer {
public:
    virtual ~IMetafileRenderer() = default;
    // The metafile's records drawn to fill width x height pixels: 0xAARRGGBB with straight alpha,
    // rows from the top, transparent where nothing is drawn.
    virtual std::vector<uint32_t> Render(const formats::Metafile& metafile, int width, int height) = 0;
};

// The folders of the drives, for the folder list and the drive box. Paths are DOS paths in code
// page 932.
class IFolders {
public:
    virtual ~IFolders() = default;
    // The drive letters there are, in order ('C', 'Z', ...).
    virtual std::vector<char> Drives() = 0;
    // A short name of the drive, shown after its letter.
    virtual std::string DriveLabel(char drive) = 0;
    virtual std::string CurrentDirectory() = 0;
    // False when the folder cannot be entered; the current folder then stays.
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    // The folder last made current on the drive (the current folder for its own drive), its
    // root before that.
    virtual std::string DriveDirectory(char drive) = 0;
    // The names of a folder's subfolders, hidden ones left out, in the order the list shows them.
    virtual std::vector<std::string> SubFolders(const std::string& path) = 0;
    // The host path (UTF-8) of a DOS path, for back ends that open files themselves; empty when
    // no drive holds it.
    virtual std::string HostPath(const std::string& path) = 0;
};

enum class TTextFormat { RichOrPlain, Plain };

// Reads the files that rich edits load; the component model itself reads no files.
class ITextFiles {
public:
    virtual ~ITextFiles() = default;
    // The file at a DOS path (code page 932) as a rich edit shows it: as rich text when the format
    // allows it and the file is rich text, as plain text decoded into code page 932 otherwise.
    // Throws EInOutError, whose message names the file and the reason, when it cannot be read.
    virtual TRichContent ReadTextFile(const std::string& dosPath, TTextFormat format) = 0;
};

struct TVideoFrame;

// A medium that the media system opened for a media player.
class IMediaDevice {
public:
    virtual ~IMediaDevice() = default;
    // Starts playing from the current position, rewinding first when it is at the end. The
    // device's reason when it refuses; empty when it plays.
    virtual std::string Play() = 0;
    // Halts playing and keeps the position. The device's reason when it refuses; else empty.
    virtual std::string Stop() = 0;
    // The medium's length and the position, in milliseconds (-1: the device cannot tell).
    virtual int64_t Length() = 0;
    virtual int64_t Position() = 0;
};

// What an open device reports to its player, on the GUI thread, in the order it happened.
class IMediaEvents {
public:
    virtual ~IMediaEvents() = default;
    // The playing that the last Play started ended by itself: at the end of the medium (error
    // empty) or because it failed.
    virtual void PlayingEnded(const std::string& error) = 0;
    // A new picture of the video.
    virtual void NewVideoFrame(std::shared_ptr<const TVideoFrame> frame) = 0;
};

// The media system behind the media players.
class IMediaSystem {
public:
    virtual ~IMediaSystem() = default;
    // Opens the file at a DOS path (code page 932) and reports to `events` until the device is
    // freed. Throws EMCIDeviceError, whose message names the file and the media system's reason,
    // when the file is missing, no decoder takes it, it is truncated or no device can play it.
    virtual std::unique_ptr<IMediaDevice> OpenMedia(const std::string& dosPath, IMediaEvents& events) = 0;
};

}  // namespace tk
