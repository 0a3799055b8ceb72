#pragma once

// The window is flat pictures, text and short animations. Qt Quick's software renderer draws
// it without an OpenGL context, which on a machine without a graphics driver (Mesa's llvmpipe)
// costs more start-up time and memory than the whole rest of the program. Unless the user has
// chosen a renderer with Qt's own variables (QT_QUICK_BACKEND, e.g. "rhi" for the hardware
// path, QMLSCENE_DEVICE or QSG_RHI_BACKEND), the software renderer is used.
// Call before the first window is created.
void chooseSceneGraphBackend();
