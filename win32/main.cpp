#include <windows.h>

#include <commctrl.h>

#include "app/ArgumentText.h"
#include "common/Paths.h"
#include "win32/MainWindow.h"

// The argument text is the raw command line after the program's name, which
// ArgumentText reads as Windows hands it over.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    mapwren::MainWindow window(mapwren::ProgramFolder(), mapwren::ArgumentText(0, nullptr));
    // Without an upload tool the program ends as soon as its message is closed.
    if (!window.Start())
        return 0;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        window.Dispatch(message);
    return static_cast<int>(message.wParam);
}
