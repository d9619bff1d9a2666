#pragma once

// Pictures held by the model: bitmaps and icons as 32-bit pixels (0xAARRGGBB, straight alpha),
// a canvas that draws on a bitmap, and TPicture, which holds one graphic of any kind.

#include "toolkit/Color.h"
#include "toolkit/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class IPictureFormats;
class TCanvas;

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Draws the graphic with its top-left corner at (x, y), blending by its alpha.
    virtual void Draw(TCanvas& canvas, int x, int y) const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // The graphic as pixels of its natural size, for back ends that paint it.
    virtual const std::vector<uint32_t>& Pixels() const = 0;

    std::function<void()> OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
};

// A raster image whose pixels a canvas can draw on.
class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    // A bitmap holding these pixels (row by row from the top); a count that does not match the
    // size gives a white bitmap of that size.
    TBitmap(int width, int height, std::vector<uint32_t> pixels);
    TBitmap(const TBitmap& other);
    ~TBitmap() override;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    // Resizing keeps the pixels that still fit; new ones are white, as on that desktop.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }

    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t argb);
    const std::vector<uint32_t>& Pixels() const override { return m_pixels; }
    std::vector<uint32_t>& MutablePixels() { return m_pixels; }
    TCanvas& Canvas();

    void Draw(TCanvas& canvas, int x, int y) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    friend class TCanvas;
    void PixelsChanged() { Changed(); }

    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
    std::unique_ptr<TCanvas> m_canvas;
};

// An icon: pixels with transparency.
class TIcon : public TGraphic {
public:
    TIcon() = default;
    TIcon(int width, int height, std::vector<uint32_t> pixels);

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    const std::vector<uint32_t>& Pixels() const override;
    void SetImage(int width, int height, std::vector<uint32_t> pixels);

    void Draw(TCanvas& canvas, int x, int y) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    int m_width = 0;
    int m_height = 0;
    // Shared by the icon's copies: an icon's pixels are never changed in place, only replaced, and
    // the image lists of a folder of a thousand types hold a few dozen pictures among them.
    std::shared_ptr<const std::vector<uint32_t>> m_pixels;
};

// Drawing on a bitmap.
class TCanvas {
public:
    explicit TCanvas(TBitmap& bitmap) : m_bitmap(bitmap) {}

    int Width() const { return m_bitmap.Width(); }
    int Height() const { return m_bitmap.Height(); }
    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor color) { m_brushColor = color; }

    // Draws a graphic at (x, y), blending its pixels by their alpha.
    void Draw(int x, int y, const TGraphic& graphic);
    // Copies the pixels of source's rectangle into this canvas's rectangle (same size; clipped
    // to both canvases).
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    void FillRect(const TRect& rect);
    uint32_t Pixel(int x, int y) const { return m_bitmap.Pixel(x, y); }
    void SetPixel(int x, int y, uint32_t argb);

    // Blends straight-alpha pixels of size width x height onto the bitmap at (x, y).
    void BlendPixels(int x, int y, int width, int height, const std::vector<uint32_t>& pixels);

private:
    TBitmap& m_bitmap;
    TColor m_brushColor = clWhite;
};

// Holds one graphic, whatever its kind.
class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TGraphic* Graphic() const { return m_graphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // A copy of another picture's graphic; empty when it has none.
    void Assign(const TPicture& other);
    void Clear() { SetGraphic(nullptr); }
    // The bitmap of the picture; a picture that holds another kind (or nothing) is replaced by
    // an empty bitmap first, as the original toolkit did.
    TBitmap& Bitmap();
    int Width() const { return m_graphic ? m_graphic->Width() : 0; }
    int Height() const { return m_graphic ? m_graphic->Height() : 0; }

    // Loads a picture file (DOS path, code page 932) through the picture loader, which chooses the
    // kind of graphic by the file's extension. On failure the error of the loader is raised and
    // the picture keeps what it held; a picture without a loader raises EInvalidGraphic.
    void LoadFromFile(const std::string& fileName);
    // The same for a pane `pageWidth` pixels wide, to which a document page is drawn.
    void LoadFromFile(const std::string& fileName, int pageWidth);
    // The loader; the image that owns the picture sets it from its application.
    IPictureFormats* PictureFormats() const { return m_formats; }
    void SetPictureFormats(IPictureFormats* formats) { m_formats = formats; }

    std::function<void()> OnChange;

private:
    void Changed();

    std::unique_ptr<TGraphic> m_graphic;
    IPictureFormats* m_formats = nullptr;
};

}  // namespace tk
