#include "demo/Screenshot.h"

#include "sim/common/TextFile.h"

namespace {

struct TScreenDc {
    HDC Dc = GetDC(nullptr);
    ~TScreenDc()
    {
        if (Dc) ReleaseDC(nullptr, Dc);
    }
};

struct TMemoryDc {
    HDC Dc;
    explicit TMemoryDc(HDC compatible) : Dc(CreateCompatibleDC(compatible)) {}
    ~TMemoryDc()
    {
        if (Dc) DeleteDC(Dc);
    }
};

struct TBitmap {
    HBITMAP Handle;
    TBitmap(HDC dc, int width, int height) : Handle(CreateCompatibleBitmap(dc, width, height)) {}
    ~TBitmap()
    {
        if (Handle) DeleteObject(Handle);
    }
};

template <typename T>
void Append(std::string& bytes, const T& value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

RECT WindowsArea(const std::vector<HWND>& windows)
{
    RECT area{};
    for (HWND window : windows) {
        RECT place{};
        if (GetWindowRect(window, &place)) UnionRect(&area, &area, &place);
    }
    return area;
}

bool SaveScreenPicture(const RECT& place, const std::string& path)
{
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    if (width <= 0 || height <= 0) return false;

    TScreenDc screen;
    TMemoryDc memory(screen.Dc);
    TBitmap bitmap(screen.Dc, width, height);
    if (!screen.Dc || !memory.Dc || !bitmap.Handle) return false;
    HGDIOBJ old = SelectObject(memory.Dc, bitmap.Handle);
    const bool copied =
        BitBlt(memory.Dc, 0, 0, width, height, screen.Dc, place.left, place.top, SRCCOPY) != 0;
    SelectObject(memory.Dc, old);
    if (!copied) return false;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<char> pixels(stride * static_cast<size_t>(height));
    if (!GetDIBits(memory.Dc, bitmap.Handle, 0, static_cast<UINT>(height), pixels.data(),
                   reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
        return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::string bytes;
    Append(bytes, file);
    Append(bytes, header);
    bytes.append(pixels.data(), pixels.size());
    return WriteTextFile(path, bytes);
}
