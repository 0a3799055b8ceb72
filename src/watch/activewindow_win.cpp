#include "watch/activewindow.h"

// The watch follows the window in front of an X11 display only. Windows has none: open()
// finds nothing, and "r7ctl watch" says so and ends, as it does on a display it cannot open.
struct ActiveWindow::Display {
};

std::unique_ptr<ActiveWindow> ActiveWindow::open(const QByteArray &)
{
    return nullptr;
}

ActiveWindow::~ActiveWindow() = default;

ProfileRules::Window ActiveWindow::current()
{
    return {};
}
