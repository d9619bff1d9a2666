// The timed capture of the foreground window after a document of a capture-list type was
// started: its picture, at most CapW x CapH pixels from its top-left corner, is stored as a
// bitmap file in the cache under the name the launch gave it.

#include "app/ImageForm.h"
#include "app/Numbers.h"
#include "formats/Bmp.h"
#include "dos/DosPath.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "toolkit/Application.h"

#include <algorithm>

namespace orvane {

using namespace tk;

namespace {
// Leaves the armed state: the mark turns black again and the timer stops.
void Disarm(TPanel& mark, TTimer& timer)
{
    mark.SetColor(clBlack);
    timer.SetEnabled(false);
}
}  // namespace

// The cache folder as stored (one ending in "\\" gives a doubled separator, as it always did), the
// flattened path of the document and ".bmp".
std::string TImageForm::CaptureFileOf(const std::string& flattenedPath) const
{
    return dos::AppendToFolder(CashDir->Caption(), flattenedPath + ".bmp");
}

// A capture that cannot be stored (the cache folder was changed to one that does not exist) is
// reported and disarms all the same; the old sequence stayed armed and failed again and again.
void TImageForm::Timer2Timer(TObject*)
{
    const int maxWidth = StrToNumber(CapW->Caption());
    const int maxHeight = StrToNumber(CapH->Caption());
    platform::IScreen& screen = m_process.Host.Screen();
    std::optional<platform::WindowId> window = screen.ForegroundWindow();
    std::optional<platform::ScreenRect> rect = window ? screen.WindowRect(*window) : std::nullopt;
    if (!rect) {
        // With no foreground window there is nothing to take.
        Disarm(*Mark, *Timer2);
        return;
    }
    const int width = std::max(0, std::min(rect->right - rect->left, maxWidth));
    const int height = std::max(0, std::min(rect->bottom - rect->top, maxHeight));
    GetImage->SetBounds(GetImage->Left(), GetImage->Top(), width, height);
    std::optional<platform::WindowPixels> pixels = screen.CaptureWindow(*window, width, height);
    formats::Image image{width, height, pixels ? std::move(pixels->pixels) : std::vector<uint32_t>()};
    image.pixels.resize(size_t(width) * size_t(height), 0xFF000000);
    GetImage->Picture().SetGraphic(std::make_unique<TBitmap>(width, height, image.pixels));

    Disarm(*Mark, *Timer2);
    // A limit of 0 leaves a picture without pixels, which no bitmap file can hold: nothing is
    // written then, and the capture ends as any other does.
    if (!image.pixels.empty()) {
        std::vector<uint8_t> file = formats::EncodeBmp(image, formats::BmpDepth::Bits24);
        if (!platform::ReplaceFile(m_process.Host.Drives(), m_process.CaptureFileName,
                                   std::string(file.begin(), file.end()))) {
            Application()->MessageBox("画像を保存できません: " + m_process.CaptureFileName, "Orvane", mbOk | mbIconError);
            return;
        }
    }
    if (CapMessage->Caption() == "1")
        Application()->MessageBox("取り込み終了しました！", "Orvane", mbOk);
    TrimCache();
}

}  // namespace orvane
