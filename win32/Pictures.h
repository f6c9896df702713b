#pragma once

#include <windows.h>

#include <string_view>

namespace mapwren {

// A picture of the resource script as a 32-bit bitmap with premultiplied
// alpha, so it can be blended over any background. Owns its bitmap.
class Picture {
public:
    Picture() = default;
    Picture(HBITMAP bitmap, int width, int height) : bitmap_(bitmap), width_(width), height_(height) {}
    Picture(Picture&& other) noexcept { *this = static_cast<Picture&&>(other); }
    Picture& operator=(Picture&& other) noexcept;
    ~Picture();

    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The same picture at another size.
    Picture Resized(int width, int height) const;
    // Blends it into the rectangle, stretched to it; opacity 255 is the picture as it is.
    void Draw(HDC dc, int x, int y, int width, int height, BYTE opacity = 255) const;
    // Blends it in its own size, centred in box.
    void DrawCentred(HDC dc, const RECT& box, BYTE opacity = 255) const;

private:
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A bitmap of the resource script by the name of its picture in resources/
// ("upload"); an empty picture when there is none.
Picture LoadPicture(std::string_view name);

// The program's icon in the given size.
HICON LoadProgramIcon(std::string_view name, int size);

} // namespace mapwren
