#include "app/win32/Gdi.h"

#include "app/win32/Application.h"

namespace orvik {

namespace {
long g_liveGdiObjects = 0;
}

long LiveGdiObjects() { return g_liveGdiObjects; }
void CountGdiObject(int delta) { g_liveGdiObjects += delta; }

BufferedPaint::BufferedPaint(HWND hwnd) : hwnd_(hwnd) {
    HDC dc = BeginPaint(hwnd_, &ps_);
    const RECT& r = ps_.rcPaint;
    const int w = r.right - r.left, h = r.bottom - r.top;
    mem_ = CreateCompatibleDC(dc);
    bitmap_ = CreateCompatibleBitmap(dc, w > 0 ? w : 1, h > 0 ? h : 1);
    oldBitmap_ = SelectObject(mem_, bitmap_);
    // Client coordinates in the buffer.
    SetWindowOrgEx(mem_, r.left, r.top, nullptr);
}

BufferedPaint::~BufferedPaint() {
    const RECT& r = ps_.rcPaint;
    SetWindowOrgEx(mem_, 0, 0, nullptr);
    BitBlt(ps_.hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem_, 0, 0, SRCCOPY);
    SelectObject(mem_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(mem_);
    EndPaint(hwnd_, &ps_);
}

Bitmap LoadBitmapResource(const char* name) {
    return Bitmap(static_cast<HBITMAP>(
        LoadImageA(Application::Instance().Module(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

void DrawBitmapPart(HDC dc, HBITMAP bitmap, int x, int y, int sx, int sy, int w, int h, bool transparent) {
    if (!bitmap) return;
    MemoryDC src(dc);
    SelectGuard sel(src, bitmap);
    if (transparent) {
        const SIZE size = BitmapSize(bitmap);
        const COLORREF key = GetPixel(src, 0, size.cy - 1);
        GdiTransparentBlt(dc, x, y, w, h, src, sx, sy, w, h, key);
    } else {
        BitBlt(dc, x, y, w, h, src, sx, sy, SRCCOPY);
    }
}

void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, bool transparent) {
    const SIZE size = BitmapSize(bitmap);
    DrawBitmapPart(dc, bitmap, x, y, 0, 0, size.cx, size.cy, transparent);
}

Font CreateUiFont(const char* face, int height, bool bold) {
    return Font(CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            face));
}

}  // namespace orvik
