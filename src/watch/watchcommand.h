#pragma once

#include <QTextStream>

// "r7ctl watch": follows the window in front until the process is stopped, switching profiles
// as the rules say. Returns 2 at once, having said why, when there is no X11 display to watch.
// Call with the data folders entered and the application object made.
int runWatch(QTextStream &out, QTextStream &err);
