#include "app/scenegraphbackend.h"

#include <QQuickWindow>
#include <QSGRendererInterface>

void chooseSceneGraphBackend()
{
    for (const char *userChoice : {"QT_QUICK_BACKEND", "QMLSCENE_DEVICE", "QSG_RHI_BACKEND"}) {
        if (!qEnvironmentVariableIsEmpty(userChoice))
            return;
    }
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
