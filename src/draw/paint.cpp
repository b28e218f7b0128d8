/*
 * Painting the launcher's look.  Every paint composes the whole window in
 * one off-screen canvas (background, colour layer, lines, frame) and copies
 * it to the target with a single BitBlt, so the window never shows a
 * half-drawn state and never needs erasing.  Font, canvas, layer, brushes
 * and pens live exactly as long as the paint; only the screen copy behind a
 * shown launcher outlives a call.
 *
 * GradientFill and AlphaBlend (msimg32) and DrawShadowText (ComCtl32) are
 * looked up by name in the modules held since start-up, at each paint; when
 * a module is not held the paint falls back to a flat layer (AND-ed with the
 * background when the launcher is set to be transparent) and to a shadow
 * drawn as a second pass of plain text.
 */
#include "draw/paint.h"

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

// GetProcAddress on a held module; null when the module is not held.
template <typename Proc>
Proc LookUp(HMODULE module, const char* name)
{
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

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

// The colour layer over whatever dc holds: a gradient (or flat MainColor)
// copied or alpha-blended over it, or without msimg32 a flat MainColor
// copied, or AND-ed when the launcher is set to be transparent.
void PaintBackground(const LauncherState* state, HDC dc, int w, int h)
{
    UniqueMemoryDc layer(CreateCompatibleDC(dc));
    UniqueHBitmap bitmap(CreateCompatibleBitmap(dc, w, h));
    SelectGuard selectBitmap(layer.get(), bitmap.get());

    HMODULE msimg32 = HasAlphaGradient() ? AlphaGradientModule() : nullptr;
    auto gradientFill = LookUp<GradientFillProc>(msimg32, "GradientFill");
    auto alphaBlend = LookUp<AlphaBlendProc>(msimg32, "AlphaBlend");
    if (gradientFill != nullptr && alphaBlend != nullptr) {
        COLORREF end = state->UseGrad != 0 ? state->GradColor : state->MainColor;
        TRIVERTEX vertices[2] = {Vertex(0, 0, state->MainColor), Vertex(w, h, end)};
        GRADIENT_RECT rect = {0, 1};
        // Any VGrad but 0 is vertical: the mode must name a rectangle fill,
        // or GradientFill would read the one rectangle as triangles.
        ULONG mode = state->VGrad != 0 ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H;
        gradientFill(layer.get(), vertices, 2, &rect, 1, mode);
        if (state->UseAlphaBlend != 0) {
            BLENDFUNCTION blend = {AC_SRC_OVER, 0, state->AlphaBlend, 0};
            alphaBlend(dc, 0, 0, w, h, layer.get(), 0, 0, w, h, blend);
        } else {
            BitBlt(dc, 0, 0, w, h, layer.get(), 0, 0, SRCCOPY);
        }
        return;
    }

    // The default pen's outline of a rectangle one pixel larger on every side
    // lies outside the bitmap, so the layer is MainColor throughout.
    UniqueHBrush brush(CreateSolidBrush(state->MainColor));
    SelectGuard selectBrush(layer.get(), brush.get());
    Rectangle(layer.get(), -1, -1, w + 1, h + 1);
    BitBlt(dc, 0, 0, w, h, layer.get(), 0, 0, state->UseAlphaBlend != 0 ? SRCAND : SRCCOPY);
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
// text itself always starts at x = 5, y = 4 + row x pitch.
void DrawEntryLine(const LauncherState* state, HDC dc, int row, const char* prefix,
                   const char* title, COLORREF textColour, COLORREF shadowColour)
{
    int o = UsableShadowOffset(state->ShadowOffset);
    int x = o + kTextLeft;
    int y = row * (state->LineHeight + state->LineGap) + o + kLineMargin;
    RECT prefixRect = {x, y, x + state->PrefixWidth, y + state->LineHeight};
    RECT titleRect = {x + state->PrefixWidth, y, x + state->PrefixWidth + state->TitleWidth,
                      y + state->LineHeight};
    int prefixLength = lstrlenA(prefix);
    int titleLength = TitleLength(title);

    auto drawShadowText = state->Smooth == 1 && HasShadowText()
                              ? LookUp<DrawShadowTextProc>(ShadowTextModule(), "DrawShadowText")
                              : nullptr;
    if (drawShadowText != nullptr) {
        OffsetRect(&prefixRect, -o, -o);
        OffsetRect(&titleRect, -o, -o);
        DrawShadowed(drawShadowText, dc, prefix, prefixLength, &prefixRect, textColour,
                     shadowColour, o + 1);
        DrawShadowed(drawShadowText, dc, title, titleLength, &titleRect, textColour,
                     shadowColour, o + 1);
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

}  // namespace

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
    UniqueHFont font = CreateLauncherFont(&state->Font);
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
