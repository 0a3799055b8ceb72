#include "app/executabledirectory.h"
#include "app/inputcallbacks.h"
#include "app/inputhook.h"
#include "app/scenegraphbackend.h"
#include "app/uicontroler.h"
#include "app/widget.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    makeExecutableDirectoryCurrent();
    chooseSceneGraphBackend();

    Widget widget;
    // The keyboard is found and checked before the window shows.
    widget.checkDevice();

    const bool ukLayout = widget.uiController()->uiView()->layoutType() == 0;
    InputHook hook(ukLayout);
    hook.setKeyCallback(&keyCallback, &widget);
    hook.setMouseCallback(&mouseCallback, &widget);

    widget.showNormal();
    widget.startUI();
    const int result = QApplication::exec();
    hook.removeHooks();
    return result;
}
