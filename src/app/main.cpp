#include "app/executabledirectory.h"
#include "app/inputcallbacks.h"
#include "app/inputhook.h"
#include "app/leftoverfiles.h"
#include "app/singleinstance.h"
#include "app/uicontroler.h"
#include "app/widget.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    makeExecutableDirectoryCurrent();

    // A second start shows the running window instead of writing the same files alongside it.
    SingleInstance instance(QStringLiteral("modules"));
    if (!instance.acquire())
        return 0;
    removeLeftoverFiles();

    Widget widget;
    QObject::connect(&instance, &SingleInstance::activationRequested, &widget,
                     &Widget::bringToFront);
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
