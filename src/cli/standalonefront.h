#pragma once

#include "cli/commandfront.h"

class Backend;

// r7ctl on its own: the keyboard is found when a command first needs it, without listening
// for its notifications, and its lighting is taken into the profile as the window does at
// start. There are no pages, but what a profile switch's reload sends and stores is done all
// the same.
class StandaloneFront : public CommandFront
{
public:
    explicit StandaloneFront(Backend &objects) : backend(objects) {}

    void prepareKeyboard() override;
    void chooseProfile(int profile) override;
    void reloadPages() override;

private:
    Backend &backend;
};
