#include "app/inputcallbacks.h"

#include "app/uicontroler.h"
#include "app/widget.h"

namespace
{
myQQuickView *viewOf(void *userData)
{
    auto *widget = static_cast<Widget *>(userData);
    if (!widget || !widget->uiController())
        return nullptr;
    return widget->uiController()->uiView();
}
} // namespace

void keyCallback(std::uint8_t usbCode, bool isDown, void *userData)
{
    if (myQQuickView *view = viewOf(userData))
        view->detectKeyboard(isDown, usbCode);
}

void mouseCallback(std::uint8_t code, bool isDown, std::int32_t x, std::int32_t y, void *userData)
{
    // Positions left of or above the primary screen arrive as large unsigned values, as the
    // interface has always received them.
    if (myQQuickView *view = viewOf(userData))
        view->detectMouse(isDown, code, uint(x), uint(y));
}
