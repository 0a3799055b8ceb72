#include "app/windowfront.h"

#include "view/rootinvocation.h"

// Directly, so the keyboard has the commands before the command's answer goes back.
void WindowFront::chooseProfile(int profile)
{
    invokeRootFunction(view, "chooseProfile", Qt::DirectConnection, {profile});
}

void WindowFront::reloadPages()
{
    invokeRootFunction(view, "reloadPages", Qt::DirectConnection);
}
