#pragma once

#include "cli/commandfront.h"

class QQuickWidget;

// r7ctl's commands carried out by the running window: the keyboard is the window's, found and
// checked at start and on every device change, and the pages and the profile menu show what a
// command changed as they would after the same clicks.
class WindowFront : public CommandFront
{
public:
    explicit WindowFront(QQuickWidget *window) : view(window) {}

    void prepareKeyboard() override {}
    void chooseProfile(int profile) override;
    void reloadPages() override;

private:
    QQuickWidget *view;
};
