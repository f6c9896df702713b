#include "win32/Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/Encoding.h"

namespace mapwren {

namespace {

HBITMAP NewBitmap(int width, int height, std::uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint32_t*>(pixels);
    if (bitmap)
        std::memset(bits, 0, static_cast<std::size_t>(width) * height * 4);
    return bitmap;
}

std::uint32_t Premultiplied(std::uint32_t argb)
{
    const std::uint32_t alpha = argb >> 24;
    const auto channel = [&](int shift) { return (((argb >> shift) & 0xFF) * alpha + 127) / 255 << shift; };
    return (alpha << 24) | channel(16) | channel(8) | channel(0);
}

} // namespace

Picture& Picture::operator=(Picture&& other) noexcept
{
    if (this != &other) {
        if (bitmap_)
            DeleteObject(bitmap_);
        bitmap_ = other.bitmap_;
        bits_ = other.bits_;
        width_ = other.width_;
        height_ = other.height_;
        other.bitmap_ = nullptr;
    }
    return *this;
}

Picture::~Picture()
{
    if (bitmap_)
        DeleteObject(bitmap_);
}

// The build makes 32-bit bitmaps with an alpha channel (BGRA in memory,
// bottom-up), which LoadImage would take as opaque; they are read here.
Picture LoadPicture(std::string_view name)
{
    const std::wstring resource = WideFromUtf8(name);
    HRSRC found = FindResourceW(GetModuleHandleW(nullptr), resource.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(GetModuleHandleW(nullptr), found) : nullptr;
    const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    if (!header || header->biBitCount != 32)
        return {};
    const int width = header->biWidth;
    const bool bottomUp = header->biHeight > 0;
    const int height = bottomUp ? header->biHeight : -header->biHeight;
    std::size_t offset = header->biSize;
    if (header->biSize == sizeof(BITMAPINFOHEADER) && header->biCompression == BI_BITFIELDS)
        offset += 3 * sizeof(DWORD);
    const auto* source = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const BYTE*>(header) + offset);
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = NewBitmap(width, height, bits);
    if (!bitmap)
        return {};
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = source + static_cast<std::size_t>(bottomUp ? height - 1 - y : y) * width;
        for (int x = 0; x < width; ++x)
            bits[static_cast<std::size_t>(y) * width + x] = Premultiplied(row[x]);
    }
    return {bitmap, bits, width, height};
}

Picture LoadPicture(std::string_view name, int width, int height)
{
    Picture own = LoadPicture(name);
    if (own.Width() == width && own.Height() == height)
        return own;
    Picture large = LoadPicture(std::string(name) + "_2x");
    return (large.Bitmap() ? large : own).Resized(width, height);
}

Picture Picture::Resized(int width, int height) const
{
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = NewBitmap(width, height, bits);
    if (!bitmap || !bits_)
        return {bitmap, bits, width, height};
    if (width > width_ || height > height_) {
        // Blending into an empty bitmap keeps the alpha.
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        Draw(dc, 0, 0, width, height);
        SelectObject(dc, old);
        DeleteDC(dc);
        return {bitmap, bits, width, height};
    }
    const double scaleX = static_cast<double>(width_) / width;
    const double scaleY = static_cast<double>(height_) / height;
    for (int y = 0; y < height; ++y) {
        const double top = y * scaleY, bottom = (y + 1) * scaleY;
        for (int x = 0; x < width; ++x) {
            const double left = x * scaleX, right = (x + 1) * scaleX;
            double sum[4] = {};
            for (int sy = static_cast<int>(top); sy < height_ && sy < bottom; ++sy) {
                const double coverY = std::min<double>(bottom, sy + 1) - std::max<double>(top, sy);
                for (int sx = static_cast<int>(left); sx < width_ && sx < right; ++sx) {
                    const double cover = coverY * (std::min<double>(right, sx + 1) - std::max<double>(left, sx));
                    const std::uint32_t pixel = bits_[static_cast<std::size_t>(sy) * width_ + sx];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += cover * ((pixel >> (8 * c)) & 0xFF);
                }
            }
            std::uint32_t mean = 0;
            for (int c = 0; c < 4; ++c)
                mean |= static_cast<std::uint32_t>(std::lround(sum[c] / (scaleX * scaleY))) << (8 * c);
            bits[static_cast<std::size_t>(y) * width + x] = mean;
        }
    }
    return {bitmap, bits, width, height};
}

void Picture::Draw(HDC dc, int x, int y, int width, int height, BYTE opacity) const
{
    if (!bitmap_)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap_);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width, height, source, 0, 0, width_, height_, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

void Picture::DrawCentred(HDC dc, const RECT& box, BYTE opacity) const
{
    Draw(dc, (box.left + box.right - width_) / 2, (box.top + box.bottom - height_) / 2, width_, height_, opacity);
}

Picture SolidPicture(COLORREF colour)
{
    std::uint32_t* bits = nullptr;
    HBITMAP bitmap = NewBitmap(1, 1, bits);
    if (bitmap)
        *bits = 0xFF000000 | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    return {bitmap, bits, 1, 1};
}

HICON LoadProgramIcon(std::string_view name, int size)
{
    const std::wstring resource = WideFromUtf8(name);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resource.c_str(), IMAGE_ICON, size, size, 0));
}

} // namespace mapwren
