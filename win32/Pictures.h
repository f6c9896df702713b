#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace mapwren {

// A picture of the resource script as a 32-bit bitmap with premultiplied
// alpha, so it can be blended over any background. Owns its bitmap.
class Picture {
public:
    Picture() = default;
    Picture(HBITMAP bitmap, std::uint32_t* bits, int width, int height)
        : bitmap_(bitmap), bits_(bits), width_(width), height_(height)
    {
    }
    Picture(Picture&& other) noexcept { *this = static_cast<Picture&&>(other); }
    Picture& operator=(Picture&& other) noexcept;
    ~Picture();

    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The same picture at another size: each pixel of a smaller one is the
    // mean of the pixels it covers, a larger one is stretched.
    Picture Resized(int width, int height) const;
    // Blends it into the rectangle, stretched to it; opacity 255 is the picture as it is.
    void Draw(HDC dc, int x, int y, int width, int height, BYTE opacity = 255) const;
    // Blends it in its own size, centred in box.
    void DrawCentred(HDC dc, const RECT& box, BYTE opacity = 255) const;

private:
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;   // premultiplied BGRA, top-down
    int width_ = 0;
    int height_ = 0;
};

// A bitmap of the resource script by the name of its picture in resources/
// ("upload"); an empty picture when there is none.
Picture LoadPicture(std::string_view name);
// The same at the given size, drawn from the twice as large bitmap the build
// also makes ("upload_2x") when the size is not the picture's own.
Picture LoadPicture(std::string_view name, int width, int height);

// One opaque pixel of a colour, to be stretched over a rectangle and blended.
Picture SolidPicture(COLORREF colour);

// The program's icon in the given size.
HICON LoadProgramIcon(std::string_view name, int size);

} // namespace mapwren
