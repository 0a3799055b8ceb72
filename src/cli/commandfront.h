#pragma once

// What a command needs from whoever carries it out beyond the backend's objects: alone, r7ctl
// finds the keyboard for the command; in the window the keyboard was found at start and the
// pages show what the command changed.
class CommandFront
{
public:
    virtual ~CommandFront() = default;

    // Called once before the first command that talks to the keyboard.
    virtual void prepareKeyboard() = 0;
    // Makes profile `profile` current as a click on it in the profile menu does: the switch
    // goes to the keyboard and every page reloads from the profile.
    virtual void chooseProfile(int profile) = 0;
    // The pages take the current profile's stored values again.
    virtual void reloadPages() = 0;
};
