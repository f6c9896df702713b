#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

// The vocabulary of the forms' design tables: what a control is, where it
// sits and how it looks before any code runs. Each front-end builds its own
// native controls from these tables.
namespace mapwren {

// What a control is; each front-end makes its own native kind of it.
enum class ControlKind {
    CommandButton,
    PictureButton,   // a command button showing a picture instead of a caption
    Frame,
    OptionButton,
    CheckBox,
    ComboBox,
    TextBox,
    Label,
    PictureBox,
    Grid,
    ProgressBar,     // how far a piece of work is, 0 to 100
};

// Frames, labels and picture boxes never take the keyboard focus.
constexpr bool TakesFocus(ControlKind kind)
{
    return kind != ControlKind::Frame && kind != ControlKind::Label && kind != ControlKind::PictureBox &&
           kind != ControlKind::ProgressBar;
}

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A font as the design names it; a front-end without it takes the nearest
// sans-serif of the same size.
struct FontDesign {
    std::string_view family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

// Every caption fits inside its control. Where the font a system has is
// wider than the design's, a caption's size shrinks a quarter point at a time
// until it fits its box (fits(points) says whether it does at that size), but
// never below six points, the smallest size still read with ease.
inline constexpr double kSmallestCaptionPoints = 6;
inline constexpr double kCaptionShrinkStep = 0.25;
template <class Fits>
double FittedCaptionPoints(double designPoints, Fits fits)
{
    double points = designPoints;
    while (points - kCaptionShrinkStep >= kSmallestCaptionPoints && !fits(points))
        points -= kCaptionShrinkStep;
    return points;
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class TextColour { System, Black, Red, Blue, Green };
enum class TextAlign { Left, Right, Centre };
// Light3D and Menu: the system colours 3D light and menu; Form: the window's own background.
enum class Background { System, Light3D, Menu, Form };

// One control of a window as designed, before any code runs.
struct ControlDesign {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view container;   // a frame's name; empty for the window itself
    std::string_view caption;     // "&" marks the access key
    std::string_view tooltip;
    TwipsRect place;
    int tab = 0;                  // position in the keyboard's tab order
    FontDesign font;
    TextColour colour = TextColour::System;
    TextAlign align = TextAlign::Left;
    Background background = Background::System;
    bool enabled = true;
    bool visible = true;
    bool selected = false;        // an option button's or check box's initial value
    std::string_view picture;     // the picture's name in resources/, without ".svg"
    int pictureWidth = 0;         // its size in pixels
    int pictureHeight = 0;
    bool locked = false;          // a text box the user cannot edit
    bool borderless = false;
    bool link = false;            // its presses open an address: a pointing hand, no context menu
};

// A window as designed: its name for the system, inner size and background.
struct FormDesign {
    std::string_view caption;
    int width = 0;                // twips
    int height = 0;
    Rgb background;
    bool titleBar = true;
    std::string_view icon;        // the picture's name in resources/, without ".svg"
};

// One item of the menu bar or of a menu.
struct MenuDesign {
    std::string_view name;
    std::string_view caption;
    std::string_view parent;      // empty for the menu bar
    bool enabled = true;
    std::string_view shortcut;    // a function key ("F1" and up), "Ctrl+" and a letter, or empty
    bool checkable = false;       // it can carry a check mark
};

// The letter after a single "&" of a caption, in lower case; 0 for none.
constexpr char AccessKeyOf(std::string_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&')
                return caption[i + 1] >= 'A' && caption[i + 1] <= 'Z' ? static_cast<char>(caption[i + 1] - 'A' + 'a')
                                                                      : caption[i + 1];
            ++i;
        }
    }
    return 0;
}

// An item that other items name as their parent opens a menu of them.
constexpr bool OpensMenu(std::span<const MenuDesign> menus, std::string_view name)
{
    return std::ranges::any_of(menus, [name](const MenuDesign& item) { return item.parent == name; });
}

} // namespace mapwren
