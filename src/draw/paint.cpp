/*
 * Painting the launcher's look.  Every paint composes the whole window in
 * one off-screen canvas (background, colour layer, lines, frame) and copies
 * it to the target with a single BitBlt, so the window never shows a
 * half-drawn state and never needs erasing.  A plain paint makes its font,
 * canvas, layer, brushes and pens and frees them again; the launcher
 * window's paints go through a PaintCache instead, which keeps the canvas,
 * font, layer and finished pictures while what they were made from stays
 * the same.  The screen copy behind a shown launcher is the caller's.
 *
 * GradientFill and AlphaBlend (msimg32) and DrawShadowText (ComCtl32) are
 * bound by name in the modules held since start-up (LateImport), at each
 * paint; when a module is not held the paint falls back to a flat layer
 * (AND-ed with the background when the launcher is set to be transparent)
 * and to a shadow drawn as a second pass of plain text.
 */
#include "draw/paint.h"

#include <cstring>
#include <utility>

#include "base/late_import.h"
#include "base/optional_apis.h"
#include "base/unique_handle.h"
#include "draw/geometry.h"
#include "draw/portable/layout.h"

using tav::SelectGuard;
using tav::UniqueHBitmap;
using tav::UniqueHBrush;
using tav::UniqueHFont;
using tav::UniqueHPen;
using tav::UniqueMemoryDc;
using tav::WindowDc;

namespace {

using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                     BLENDFUNCTION);
using DrawShadowTextProc = int(WINAPI*)(HDC, LPCWSTR, UINT, RECT*, DWORD, COLORREF, COLORREF,
                                        int, int);

// Titles are cut with an ellipsis at the title width.  DT_NOPREFIX: an '&'
// in a title is text, not the mark of an underlined mnemonic.
constexpr UINT kTitleFormat = DT_END_ELLIPSIS | DT_NOPREFIX;

// A gradient vertex takes each 8-bit channel in the high byte of a 16-bit one.
TRIVERTEX Vertex(int x, int y, COLORREF colour)
{
    TRIVERTEX vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.Red = static_cast<COLOR16>(GetRValue(colour) << 8);
    vertex.Green = static_cast<COLOR16>(GetGValue(colour) << 8);
    vertex.Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
    vertex.Alpha = 0;
    return vertex;
}

void FillSolidRect(HDC dc, int right, int bottom, COLORREF brushColour, COLORREF penColour)
{
    UniqueHBrush brush(CreateSolidBrush(brushColour));
    UniqueHPen pen(CreatePen(PS_SOLID, 1, penColour));
    SelectGuard selectBrush(dc, brush.get());
    SelectGuard selectPen(dc, pen.get());
    Rectangle(dc, 0, 0, right, bottom);
}

// GradientFill and AlphaBlend from the held msimg32, both or neither.
struct AlphaGradientProcs {
    GradientFillProc GradientFill;
    AlphaBlendProc AlphaBlend;
};

AlphaGradientProcs LookUpAlphaGradient()
{
    HMODULE msimg32 = HasAlphaGradient() ? AlphaGradientModule() : nullptr;
    AlphaGradientProcs procs = {LateImport<GradientFillProc>(msimg32, "GradientFill"),
                                LateImport<AlphaBlendProc>(msimg32, "AlphaBlend")};
    if (procs.GradientFill == nullptr || procs.AlphaBlend == nullptr)
        procs = {nullptr, nullptr};
    return procs;
}

// The colour layer itself, into the w x h bitmap of layer: a gradient (or
// flat MainColor) with msimg32, else flat MainColor.
void FillLayer(const LauncherState* state, const AlphaGradientProcs& procs, HDC layer, int w,
               int h)
{
    if (procs.GradientFill != nullptr) {
        COLORREF end = state->UseGrad != 0 ? state->GradColor : state->MainColor;
        TRIVERTEX vertices[2] = {Vertex(0, 0, state->MainColor), Vertex(w, h, end)};
        GRADIENT_RECT rect = {0, 1};
        // Any VGrad but 0 is vertical: the mode must name a rectangle fill,
        // or GradientFill would read the one rectangle as triangles.
        ULONG mode = state->VGrad != 0 ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
        procs.GradientFill(layer, vertices, 2, &rect, 1, mode);
        return;
    }
    // The default pen's outline of a rectangle one pixel larger on every side
    // lies outside the bitmap, so the layer is MainColor throughout.
    UniqueHBrush brush(CreateSolidBrush(state->MainColor));
    SelectGuard selectBrush(layer, brush.get());
    Rectangle(layer, -1, -1, w + 1, h + 1);
}

// The layer over whatever dc holds: copied or alpha-blended with msimg32,
// else copied, or AND-ed when the launcher is set to be transparent.
void LayLayer(const LauncherState* state, const AlphaGradientProcs& procs, HDC dc, HDC layer,
              int w, int h)
{
    if (procs.AlphaBlend != nullptr && state->UseAlphaBlend != 0) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, state->AlphaBlend, 0};
        procs.AlphaBlend(dc, 0, 0, w, h, layer, 0, 0, w, h, blend);
    } else if (procs.AlphaBlend != nullptr || state->UseAlphaBlend == 0) {
        BitBlt(dc, 0, 0, w, h, layer, 0, 0, SRCCOPY);
    } else {
        BitBlt(dc, 0, 0, w, h, layer, 0, 0, SRCAND);
    }
}

// The colour layer over whatever dc holds.
void PaintBackground(const LauncherState* state, HDC dc, int w, int h)
{
    UniqueMemoryDc layer(CreateCompatibleDC(dc));
    UniqueHBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    SelectGuard selectBitmap(layer.get(), bitmap.get());
    AlphaGradientProcs procs = LookUpAlphaGradient();
    FillLayer(state, procs, layer.get(), w, h);
    LayLayer(state, procs, dc, layer.get(), w, h);
}

// Text in UTF-16 through DrawShadowText, which draws the shadow itself.
void DrawShadowed(DrawShadowTextProc drawShadowText, HDC dc, const char* text, int length,
                  RECT* rect, COLORREF textColour, COLORREF shadowColour, int offset)
{
    WCHAR wide[kPathSize];
    int wideLength = length > 0 ? MultiByteToWideChar(CP_ACP, 0, text, length, wide, kPathSize) : 0;
    if (wideLength > 0)
        drawShadowText(dc, wide, static_cast<UINT>(wideLength), rect, kTitleFormat, textColour,
                       shadowColour, offset, offset);
}

// One line: the key prefix and the title, with the shadow ShadowOffset
// pixels right of and below the text (left and above when negative).  The
// text itself always starts at x = 5, y = 4 + row x pitch (at 96 DPI; the
// margins and the shadow's distance are scaled to state's Dpi, LineAt).
void DrawEntryLine(const LauncherState* state, HDC dc, int row, const char* prefix,
                   const char* title, COLORREF textColour, COLORREF shadowColour)
{
    LineGeometry line = LineAt(row, state->LineHeight + state->LineGap, state->ShadowOffset,
                               state->Dpi);
    int o = line.Shadow;
    int x = o + line.TextX;
    int y = o + line.TextY;
    RECT prefixRect = {x, y, x + state->PrefixWidth, y + state->LineHeight};
    RECT titleRect = {x + state->PrefixWidth, y, x + state->PrefixWidth + state->TitleWidth,
                      y + state->LineHeight};
    int prefixLength = lstrlenA(prefix);
    int titleLength = TitleLength(title);

    auto drawShadowText = state->Smooth == 1 && HasShadowText()
                              ? LateImport<DrawShadowTextProc>(ShadowTextModule(), "DrawShadowText")
                              : nullptr;
    if (drawShadowText != nullptr) {
        OffsetRect(&prefixRect, -o, -o);
        OffsetRect(&titleRect, -o, -o);
        DrawShadowed(drawShadowText, dc, prefix, prefixLength, &prefixRect, textColour,
                     shadowColour, line.SoftShadow);
        DrawShadowed(drawShadowText, dc, title, titleLength, &titleRect, textColour,
                     shadowColour, line.SoftShadow);
        return;
    }

    if (o != 0) {
        SetTextColor(dc, shadowColour);
        TextOutA(dc, x, y, prefix, prefixLength);
        if (titleLength > 0)
            DrawTextA(dc, title, titleLength, &titleRect, kTitleFormat);
    }
    OffsetRect(&titleRect, -o, -o);
    SetTextColor(dc, textColour);
    TextOutA(dc, x - o, y - o, prefix, prefixLength);
    if (titleLength > 0)
        DrawTextA(dc, title, titleLength, &titleRect, kTitleFormat);
}

bool IsLineShown(const LauncherState* state, int slot)
{
    return state->Titles[slot][0] != '\0' || state->ShowAllKey != 0;
}

// The launcher's and the preview's lists: the shown slots packed into rows,
// the selected slot in the selection colours.
void DrawPackedLines(const LauncherState* state, HDC dc, int selected, bool preview)
{
    int row = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!IsLineShown(state, slot))
            continue;
        char prefix[kPrefixSize];
        if (preview)
            FormatPreviewPrefix(slot, prefix);
        else
            FormatKeyPrefix(slot, state->IsSubmenu[slot], prefix);
        bool isSelected = slot == selected;
        DrawEntryLine(state, dc, row++, prefix, state->Titles[slot],
                      isSelected ? state->SelectTxtColor : state->TextColor,
                      isSelected ? state->SelectShadowColor : state->ShadowColor);
    }
}

void DrawLauncherLines(const LauncherState* state, HDC dc, int selected)
{
    DrawPackedLines(state, dc, selected, false);
}

// The preview's sample always shows slot 0 as the selected line.
void DrawPreviewLines(const LauncherState* state, HDC dc)
{
    DrawPackedLines(state, dc, 0, true);
}

// The setup window's list: every slot on the row of its number, none selected.
void DrawSetupLines(const LauncherState* state, HDC dc)
{
    for (int slot = 0; slot < kSlotCount; ++slot) {
        char prefix[kPrefixSize];
        FormatKeyPrefix(slot, state->IsSubmenu[slot], prefix);
        DrawEntryLine(state, dc, slot, prefix, state->Titles[slot], state->TextColor,
                      state->ShadowColor);
    }
}

// LineTo leaves out the end point.
void DrawFrameLine(HDC dc, int x0, int y0, int x1, int y1, int width, COLORREF colour)
{
    UniqueHPen pen(CreatePen(PS_SOLID, width, colour));
    SelectGuard selectPen(dc, pen.get());
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void DrawFrame(HDC dc, int x, int y, int w, int h, int edgeType)
{
    FrameLine lines[kMaxFrameLines];
    int count = FrameLines(edgeType, x, y, w, h, lines);
    for (int i = 0; i < count; ++i)
        DrawFrameLine(dc, lines[i].X0, lines[i].Y0, lines[i].X1, lines[i].Y1, 1, lines[i].Colour);
}

// Copies the screen copy onto the canvas.  Parts of the canvas that the copy
// does not cover (the window has grown since it was taken) and a missing
// copy are white, as in PAINT_MOVED, never whatever a new bitmap holds.
void CopyBackground(HDC canvas, HDC background, int w, int h)
{
    BITMAP copy = {};
    HGDIOBJ held = background != nullptr ? GetCurrentObject(background, OBJ_BITMAP) : nullptr;
    if (held == nullptr || !GetObjectA(held, sizeof copy, &copy) || copy.bmWidth < w
        || copy.bmHeight < h)
        FillSolidRect(canvas, w, h, RGB(255, 255, 255), RGB(255, 255, 255));
    if (background != nullptr)
        BitBlt(canvas, 0, 0, w, h, background, 0, 0, SRCCOPY);
}

// Screen copies taken so far: a background DC handle may be used again for
// a later copy, so a copy is told apart from the one before by this count.
unsigned CaptureCount = 0;

template <typename Key>
bool SameKey(const Key& a, const Key& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Keys are made, kept and compared byte for byte: each starts all zero,
// padding included.
template <typename Key>
Key ZeroKey()
{
    Key key;
    std::memset(&key, 0, sizeof key);
    return key;
}

template <typename Key>
void KeepKey(Key* kept, const Key& key)
{
    std::memcpy(kept, &key, sizeof key);
}

// A memory DC with a bitmap of its own selected, both kept: a bitmap in the
// format of another DC, or a 32-bit DIB section whose pixels can be read.
class Surface {
public:
    bool Make(HDC like, int w, int h)
    {
        return Hold(CreateCompatibleDC(like), CreateCompatibleBitmap(like, w, h));
    }
    bool MakeReadable(int w, int h)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!Hold(CreateCompatibleDC(nullptr), bitmap))
            return false;
        bits_ = static_cast<const unsigned char*>(bits);
        bytes_ = static_cast<size_t>(w) * static_cast<size_t>(h) * 4;
        return true;
    }
    // The DC goes first, and the bitmap with it out of the DC.
    void Free()
    {
        dc_.reset();
        bitmap_.reset();
        bits_ = nullptr;
        bytes_ = 0;
    }
    HDC dc() const { return dc_.get(); }
    // Of a readable surface: whether both hold the same pixels.
    bool SamePixels(const Surface& other) const
    {
        GdiFlush();
        return bits_ != nullptr && other.bits_ != nullptr && bytes_ == other.bytes_
               && std::memcmp(bits_, other.bits_, bytes_) == 0;
    }
    void Swap(Surface& other)
    {
        std::swap(bitmap_, other.bitmap_);
        std::swap(dc_, other.dc_);
        std::swap(bits_, other.bits_);
        std::swap(bytes_, other.bytes_);
    }

private:
    bool Hold(HDC dc, HBITMAP bitmap)
    {
        Free();
        dc_.reset(dc);
        bitmap_.reset(bitmap);
        if (!dc_ || !bitmap_) {
            Free();
            return false;
        }
        SelectObject(dc_.get(), bitmap_.get());
        return true;
    }

    UniqueHBitmap bitmap_;
    UniqueMemoryDc dc_;
    const unsigned char* bits_ = nullptr;
    size_t bytes_ = 0;
};

// What the colour layer was made from.
struct LayerKey {
    COLORREF MainColor;
    COLORREF GradColor;
    int UseGrad;
    int VGrad;
    HMODULE AlphaGradient;
};

// What the background with the layer over it was made from.  Background is
// the number of the background's content (see Parts::BackgroundNumber), 0
// for white and for a background that an opaque layer covers.
struct ComposedKey {
    LayerKey Layer;
    int Mode;
    unsigned Background;
    int UseAlphaBlend;
    BYTE AlphaBlend;
};

// What a whole picture was drawn from.
struct PictureKey {
    LauncherState State;  // with no screen copy and the drag flag 0
    int Selected;
    int Mode;
    unsigned Background;
    HMODULE AlphaGradient;
    HMODULE ShadowText;
};

LayerKey LayerKeyOf(const LauncherState* state, const AlphaGradientProcs& procs)
{
    LayerKey layer = ZeroKey<LayerKey>();
    layer.MainColor = state->MainColor;
    layer.GradColor = state->GradColor;
    layer.UseGrad = state->UseGrad;
    layer.VGrad = state->VGrad;
    layer.AlphaGradient = procs.GradientFill != nullptr ? AlphaGradientModule() : nullptr;
    return layer;
}

ComposedKey ComposedKeyOf(const LauncherState* state, const LayerKey& layer, PaintMode mode,
                          unsigned shown)
{
    ComposedKey composed = ZeroKey<ComposedKey>();
    KeepKey(&composed.Layer, layer);
    composed.Mode = mode;
    composed.Background = shown;
    composed.UseAlphaBlend = state->UseAlphaBlend;
    composed.AlphaBlend = state->AlphaBlend;
    return composed;
}

PictureKey PictureKeyOf(const LauncherState* state, int selected, PaintMode mode, unsigned shown,
                        const LayerKey& layer)
{
    PictureKey picture = ZeroKey<PictureKey>();
    std::memcpy(&picture.State, state, sizeof picture.State);
    std::memset(&picture.State.BackgroundCapture, 0, sizeof picture.State.BackgroundCapture);
    picture.State.Dragging = 0;
    picture.Selected = selected;
    picture.Mode = mode;
    picture.Background = shown;
    picture.AlphaGradient = layer.AlphaGradient;
    picture.ShadowText = HasShadowText() ? ShadowTextModule() : nullptr;
    return picture;
}

}  // namespace

struct PaintCache::Parts {
    int Width = 0;
    int Height = 0;
    int BitsPixel = 0;
    Surface Canvas;    // the picture of the last paint
    Surface Layer;     // the colour layer
    Surface Composed;  // the background with the layer over it
    UniqueHFont Font;
    LOGFONTA FontFrom = {};
    int FontDpi = 0;
    bool LayerValid = false;
    bool ComposedValid = false;
    bool PictureValid = false;
    LayerKey LayerFrom = {};
    ComposedKey ComposedFrom = {};
    PictureKey PictureFrom = {};

    // The background's pixels under the window as last seen, and the number
    // given to them; which DC and which screen copy they were read from.
    Surface Seen;
    Surface Reading;
    unsigned SeenNumber = 0;
    bool SeenKnown = false;
    HDC SeenDc = nullptr;
    unsigned SeenCapture = 0;

    // Surfaces of w x h pixels in the format of target, and the font at
    // dpi; false when they cannot be made.
    bool Fit(HDC target, int w, int h, const LOGFONTA* font, int dpi);
    // A number for the content of the background's w x h pixels under the
    // window (1 and up), which stays the same while the pixels do: a new
    // screen copy showing what the last one showed keeps the number, and
    // everything made from it stays valid.
    unsigned BackgroundNumber(HDC background, int w, int h);

    // Each part made again unless it was made from the same: the colour
    // layer, the background with the layer over it (the screen copy, or
    // white), the picture with the lines and the frame.
    void FitLayer(const LauncherState* state, const AlphaGradientProcs& procs,
                  const LayerKey& layer);
    void FitComposed(const LauncherState* state, const AlphaGradientProcs& procs,
                     const ComposedKey& composed, HDC background);
    void DrawPicture(const LauncherState* state, int selected, const PictureKey& picture);
};

bool PaintCache::Parts::Fit(HDC target, int w, int h, const LOGFONTA* font, int dpi)
{
    int bitsPixel = GetDeviceCaps(target, BITSPIXEL) * GetDeviceCaps(target, PLANES);
    if (w != Width || h != Height || bitsPixel != BitsPixel || !Canvas.dc()) {
        LayerValid = ComposedValid = PictureValid = SeenKnown = false;
        SeenDc = nullptr;
        Width = Height = BitsPixel = 0;
        // The layer and the composed background take the canvas's format,
        // as PaintLauncher's canvas passes its own on to its layer.
        if (!Canvas.Make(target, w, h) || !Layer.Make(Canvas.dc(), w, h)
            || !Composed.Make(Canvas.dc(), w, h) || !Seen.MakeReadable(w, h)
            || !Reading.MakeReadable(w, h))
            return false;
        Width = w;
        Height = h;
        BitsPixel = bitsPixel;
    }
    if (!Font || !SameKey(FontFrom, *font) || FontDpi != dpi) {
        PictureValid = false;
        Font = CreateLauncherFont(font, dpi);
        FontFrom = *font;
        FontDpi = dpi;
    }
    return true;
}

unsigned PaintCache::Parts::BackgroundNumber(HDC background, int w, int h)
{
    if (background == SeenDc && CaptureCount == SeenCapture && SeenNumber != 0)
        return SeenNumber;
    SeenDc = background;
    SeenCapture = CaptureCount;

    // A copy smaller than the window is partly replaced by white; such a
    // background is never taken for the one before.
    BITMAP copy = {};
    HGDIOBJ held = background != nullptr ? GetCurrentObject(background, OBJ_BITMAP) : nullptr;
    if (held == nullptr || !GetObjectA(held, sizeof copy, &copy) || copy.bmWidth < w
        || copy.bmHeight < h) {
        SeenKnown = false;
        return ++SeenNumber;
    }
    BitBlt(Reading.dc(), 0, 0, w, h, background, 0, 0, SRCCOPY);
    bool same = SeenKnown && Reading.SamePixels(Seen);
    Seen.Swap(Reading);
    SeenKnown = true;
    return same ? SeenNumber : ++SeenNumber;
}

void PaintCache::Parts::FitLayer(const LauncherState* state, const AlphaGradientProcs& procs,
                                 const LayerKey& layer)
{
    if (LayerValid && SameKey(layer, LayerFrom))
        return;
    ComposedValid = false;
    FillLayer(state, procs, Layer.dc(), Width, Height);
    KeepKey(&LayerFrom, layer);
    LayerValid = true;
}

void PaintCache::Parts::FitComposed(const LauncherState* state, const AlphaGradientProcs& procs,
                                    const ComposedKey& composed, HDC background)
{
    if (ComposedValid && SameKey(composed, ComposedFrom))
        return;
    HDC dc = Composed.dc();
    if (composed.Mode == PAINT_LAUNCHER)
        CopyBackground(dc, background, Width, Height);
    else
        FillSolidRect(dc, Width, Height, RGB(255, 255, 255), RGB(255, 255, 255));
    LayLayer(state, procs, dc, Layer.dc(), Width, Height);
    KeepKey(&ComposedFrom, composed);
    ComposedValid = true;
}

// The canvas's DC starts each paint as PaintLauncher's fresh one does.
void PaintCache::Parts::DrawPicture(const LauncherState* state, int selected,
                                    const PictureKey& picture)
{
    HDC canvas = Canvas.dc();
    PictureValid = false;
    int saved = SaveDC(canvas);
    SelectObject(canvas, Font.get());
    SetBkMode(canvas, TRANSPARENT);
    BitBlt(canvas, 0, 0, Width, Height, Composed.dc(), 0, 0, SRCCOPY);
    DrawLauncherLines(state, canvas, selected);
    DrawFrame(canvas, 0, 0, Width, Height, state->EdgeType);
    RestoreDC(canvas, saved);
    KeepKey(&PictureFrom, picture);
    PictureValid = true;
}

PaintCache::PaintCache() = default;
PaintCache::~PaintCache() = default;

void PaintCache::Clear()
{
    parts_.reset();
}

void PaintCache::ForgetBackground()
{
    // The next paint reads the background again and compares.
    if (parts_)
        parts_->SeenDc = nullptr;
}

void PaintLauncher(const LauncherState* state, HDC target, int w, int h, HDC background,
                   int selected, PaintMode mode, PaintCache* cache)
{
    if (cache == nullptr || (mode != PAINT_LAUNCHER && mode != PAINT_MOVED)) {
        PaintLauncher(state, target, w, h, background, selected, mode);
        return;
    }
    if (w <= 0 || h <= 0)
        return;
    if (!cache->parts_)
        cache->parts_.reset(new PaintCache::Parts);
    PaintCache::Parts& parts = *cache->parts_;
    if (!parts.Fit(target, w, h, &state->Font, state->Dpi)) {
        cache->Clear();
        PaintLauncher(state, target, w, h, background, selected, mode);
        return;
    }

    AlphaGradientProcs procs = LookUpAlphaGradient();
    const LayerKey layer = LayerKeyOf(state, procs);
    // An opaque layer hides the background whatever it holds.
    const unsigned shown = state->UseAlphaBlend != 0 && mode == PAINT_LAUNCHER
                               ? parts.BackgroundNumber(background, w, h)
                               : 0;
    const PictureKey picture = PictureKeyOf(state, selected, mode, shown, layer);
    if (!parts.PictureValid || !SameKey(picture, parts.PictureFrom)) {
        parts.FitLayer(state, procs, layer);
        parts.FitComposed(state, procs, ComposedKeyOf(state, layer, mode, shown), background);
        parts.DrawPicture(state, selected, picture);
    }
    BitBlt(target, 0, 0, w, h, parts.Canvas.dc(), 0, 0, SRCCOPY);
}

void PaintLauncher(const LauncherState* state, HDC target, int w, int h, HDC background,
                   int selected, PaintMode mode)
{
    if (w <= 0 || h <= 0)
        return;

    UniqueMemoryDc canvas(CreateCompatibleDC(target));
    UniqueHBitmap bitmap(CreateCompatibleBitmap(target, w, h));
    if (!canvas || !bitmap)
        return;
    SelectGuard selectBitmap(canvas.get(), bitmap.get());
    UniqueHFont font = CreateLauncherFont(&state->Font, state->Dpi);
    SelectGuard selectFont(canvas.get(), font.get());
    SetBkMode(canvas.get(), TRANSPARENT);

    switch (mode) {
    case PAINT_LAUNCHER:
        CopyBackground(canvas.get(), background, w, h);
        PaintBackground(state, canvas.get(), w, h);
        DrawLauncherLines(state, canvas.get(), selected);
        break;
    case PAINT_PREVIEW:
        // The wallpaper as it lies behind the window, with the layer laid
        // over it in the target itself, then taken into the canvas.
        PaintDesktop(target);
        PaintBackground(state, target, w, h);
        BitBlt(canvas.get(), 0, 0, w, h, target, 0, 0, SRCCOPY);
        DrawPreviewLines(state, canvas.get());
        break;
    case PAINT_SETUP:
        FillSolidRect(canvas.get(), w, h, RGB(255, 255, 255), RGB(255, 255, 255));
        PaintBackground(state, canvas.get(), w, h);
        DrawSetupLines(state, canvas.get());
        break;
    case PAINT_MOVED:
    default:
        FillSolidRect(canvas.get(), w, h, RGB(255, 255, 255), RGB(255, 255, 255));
        PaintBackground(state, canvas.get(), w, h);
        DrawLauncherLines(state, canvas.get(), selected);
        break;
    }
    DrawFrame(canvas.get(), 0, 0, w, h, state->EdgeType);
    BitBlt(target, 0, 0, w, h, canvas.get(), 0, 0, SRCCOPY);
}

// The copy reaches from the window's top down to the bottom of its monitor
// (at least the window's own height): a submenu level may make the shown
// window taller, and the part it grows into must still show the screen that
// lay there before the launcher appeared, which can no longer be read once
// the launcher covers it.  The window is still hidden when this runs.
void CaptureBackground(HWND window, ScreenCapture* capture)
{
    ReleaseBackground(capture);
    ++CaptureCount;

    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)
        && info.rcMonitor.bottom - rect.top > h)
        h = info.rcMonitor.bottom - rect.top;

    HWND desktop = GetDesktopWindow();
    WindowDc screen(desktop, true);
    UniqueMemoryDc copy(CreateCompatibleDC(screen.get()));
    UniqueHBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    if (!copy || !bitmap)
        return;
    HGDIOBJ old = SelectObject(copy.get(), bitmap.get());
    BitBlt(copy.get(), 0, 0, w, h, screen.get(), rect.left, rect.top, SRCCOPY);

    capture->OldBitmap = old;
    capture->Bitmap = bitmap.release();
    capture->MemDC = copy.release();
}

void ReleaseBackground(ScreenCapture* capture)
{
    if (capture->MemDC == nullptr)
        return;
    SelectObject(capture->MemDC, capture->OldBitmap);
    tav::DeleteBitmap(capture->Bitmap);
    DeleteDC(capture->MemDC);
    capture->MemDC = nullptr;
    capture->Bitmap = nullptr;
    capture->OldBitmap = nullptr;
}

// R2_NOT inverts whatever lies under the pen, whatever its colour, so a
// second outline over the first restores the pixels.  LineTo leaves out each
// end point, so every pixel of the closed outline is inverted exactly once.
void DrawInvertedRect(HDC dc, const RECT* rect)
{
    SetROP2(dc, R2_NOT);
    UniqueHPen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    SelectGuard selectPen(dc, pen.get());
    MoveToEx(dc, rect->left, rect->top, nullptr);
    LineTo(dc, rect->right, rect->top);
    LineTo(dc, rect->right, rect->bottom);
    LineTo(dc, rect->left, rect->bottom);
    LineTo(dc, rect->left, rect->top);
}
