// RAII for GDI handles and device contexts. Every owner is move-only; a
// selection restores the previous object before the selected one can die.
#pragma once
#include <windows.h>

#include <utility>

#include "app/Geometry.h"

namespace orvik {

// The face colour of forms and panels, a medium grey.
constexpr COLORREF kMedGray = RGB(160, 160, 164);

// The portable rectangle and the platform's, optionally offset by an origin.
inline RECT ToRect(const IntRect& r, POINT origin = POINT{0, 0}) {
    return RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
}
inline IntRect FromRect(const RECT& r, POINT origin = POINT{0, 0}) {
    return IntRect{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
}

// Live GDI objects made through these wrappers, so tests can prove that
// painting leaks nothing (GetGuiResources is a stub under Wine).
long LiveGdiObjects();
void CountGdiObject(int delta);

template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) { if (h_) CountGdiObject(+1); }
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) { Reset(); h_ = std::exchange(other.h_, nullptr); }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void Reset(H h = nullptr) {
        if (h_) { DeleteObject(h_); CountGdiObject(-1); }
        h_ = h;
        if (h_) CountGdiObject(+1);
    }
    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory DC compatible with another DC (or the screen).
class MemoryDC {
public:
    explicit MemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// WM_PAINT into an off-screen buffer the size of the invalid rectangle, copied
// to the window in one blit. Draw in client coordinates into Dc().
class BufferedPaint {
public:
    explicit BufferedPaint(HWND hwnd);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC Dc() const { return mem_; }
    const RECT& Area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC mem_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

// The painting messages of a window that paints itself whole: no erasing,
// WM_PAINT through a BufferedPaint, WM_PRINTCLIENT straight into the given
// DC. Calls paint(dc, area) and returns true for those three messages.
template <typename Paint>
bool HandlePaintMessage(HWND hwnd, UINT msg, WPARAM wParam, Paint&& paint, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND:
        result = TRUE;
        return true;
    case WM_PAINT: {
        BufferedPaint buffer(hwnd);
        paint(buffer.Dc(), buffer.Area());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(hwnd, &client);
        paint(reinterpret_cast<HDC>(wParam), client);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

// Loads a bitmap resource of the program by name.
Bitmap LoadBitmapResource(const char* name);
SIZE BitmapSize(HBITMAP bitmap);

// Draws a bitmap at (x, y); when transparent, the colour of its bottom-left
// pixel is left out.
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, bool transparent = false);
inline void DrawTransparentBitmap(HDC dc, HBITMAP bitmap, int x, int y) { DrawBitmap(dc, bitmap, x, y, true); }
// Draws a part of a bitmap: source rectangle (sx, sy, w, h) to (x, y).
void DrawBitmapPart(HDC dc, HBITMAP bitmap, int x, int y, int sx, int sy, int w, int h,
                    bool transparent = false);

Font CreateUiFont(const char* face, int height, bool bold = false);

}  // namespace orvik
