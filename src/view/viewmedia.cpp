#include "view/myqquickview.h"

void myQQuickView::setEnableAudio(bool isEnable)
{
    sounds.setEnabled(isEnable);
}

void myQQuickView::playMedia_Index(uchar index)
{
    sounds.playEffect(index);
}

void myQQuickView::playMedia_Background()
{
    sounds.playBackground();
}

void myQQuickView::clearAllMedia()
{
    sounds.clearAll();
}
