// Popup frames, and the screen capture the shadows are computed from.
#include <windows.h>
#include <olectl.h>
#include "control/ApiDeclares.h"
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "menu/MenuItem.h"
#include "render/GdiScoped.h"
#include "render/MakePicture.h"

namespace quillon {
namespace {

void Band(HDC dc, HBRUSH brush, LONG left, LONG top, LONG right, LONG bottom) noexcept {
    if (!brush || right <= left || bottom <= top) return;
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
}

void Line(HDC dc, LONG x1, LONG y1, LONG x2, LONG y2) noexcept {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

void Quillon::GrabScreen() {
    // The shadows of this menu loop are all computed from this picture, so
    // what the popups later cover does not feed back into their shadows.
    // Only shadows need it; it spans every monitor, where popups may open.
    ComPtr<IPictureDisp> capture;
    POINT origin{};
    if (PaintedMenuBorder() == qlBorderFlatWithShadow) Trap([&] {
        origin = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN)};
        const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        const int cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
        if (cx <= 0 || cy <= 0) return;
        // The screen DC's origin is the primary monitor's top-left corner.
        HDC screen = GetDC(nullptr);
        if (!screen) return;
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = memory ? CreateCompatibleBitmap(screen, cx, cy) : nullptr;
        if (bitmap) {
            HGDIOBJ previous = SelectObject(memory, bitmap);
            BitBlt(memory, 0, 0, cx, cy, screen, origin.x, origin.y, SRCCOPY);
            SelectObject(memory, previous);
        }
        ReleaseDC(nullptr, screen);
        if (memory) DeleteDC(memory);
        if (!bitmap) return;
        capture = PictureFromHandle(bitmap, PICTYPE_BITMAP);
        if (!capture) DeleteObject(bitmap);  // not taken over
    });
    // A new bitmap may come back under the handle of one deleted before.
    m_capturePixels = CapturePixels{};
    m_capturePixels.origin = origin;
    m_ScreenCapture = capture;
}

void Quillon::ReleaseScreenCapture() {
    m_ScreenCapture.Reset();
    m_capturePixels = CapturePixels{};  // gives back its memory
}

void Quillon::DrawPopupFrame(HDC hDC, const CMenuItem& item, LONG /*cx*/, LONG cy, LONG itemTop) {
    const LONG border = PaintedMenuBorder();
    if (border != qlBorderFlat && border != qlBorderFlatWithShadow) return;
    // NT 3 popups have no border this painting would fit.
    if (ApiDeclares::IsWindowsNT3()) return;
    HWND hwnd = WindowFromDC(hDC);
    if (!hwnd) return;
    WindowDC window(hwnd);
    HDC dc = window.get();
    if (!dc) return;

    RECT wr{}, cr{};
    if (!GetWindowRect(hwnd, &wr) || !GetClientRect(hwnd, &cr)) return;
    POINT topLeft{cr.left, cr.top}, bottomRight{cr.right, cr.bottom};
    ClientToScreen(hwnd, &topLeft);
    ClientToScreen(hwnd, &bottomRight);
    const LONG W = wr.right - wr.left, H = wr.bottom - wr.top;
    const LONG bl = topLeft.x - wr.left, bt = topLeft.y - wr.top;
    const LONG br = wr.right - bottomRight.x, bb = wr.bottom - bottomRight.y;

    const bool first = item.IsFirst(), last = item.IsLast();
    const bool shadow = border == qlBorderFlatWithShadow;
    const LONG yTop = first ? 0 : bt + itemTop;
    const LONG yBot = last ? H : bt + itemTop + cy;
    const LONG yBotLeft = last ? H - bb : yBot;

    // Only the part of the border beside this item: the popup is painted
    // item by item, and the first and last items close it at the ends.
    HBRUSH background = MenuBackgroundBrush();
    Band(dc, background, 0, yTop, bl, yBotLeft);
    if (shadow)
        Trap([&] { DrawRightShadow(hwnd, dc, item, yTop, yBotLeft); });
    else
        Band(dc, background, W - br, yTop, W, yBot);
    if (first) Band(dc, background, 0, 0, W - br, bt);
    if (last) {
        if (shadow)
            Trap([&] { DrawBottomShadow(hwnd, dc, item); });
        else
            Band(dc, background, 0, H - bb, W, H);
    }

    HPEN pen = HighlightBorderPen();
    if (!pen) return;
    HGDIOBJ previous = SelectObject(dc, pen);
    // With a shadow the right and bottom lines sit on the inner edge of the
    // border; its two outer pixels carry the shadow.
    Line(dc, 0, yTop, 0, (last && shadow) ? H - bb : yBot);
    if (!shadow)
        Line(dc, W - 1, yTop, W - 1, yBot + 1);
    else
        Line(dc, W - br, yTop, W - br, last ? H - bb + 1 : yBot);
    if (first) Line(dc, 0, 0, shadow ? W - br + 1 : W, 0);
    if (last) {
        if (shadow)
            Line(dc, 0, H - bb, W - br, H - bb);
        else
            Line(dc, 0, H - 1, W, H - 1);
    }
    SelectObject(dc, previous);
}

}  // namespace quillon
