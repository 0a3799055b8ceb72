#include "view/myqquickview.h"

#include "backend/languages.h"

QVariantMap myQQuickView::chkLanguages()
{
    return Languages::available();
}

// [font family, text 1, ..., text N]; the message texts ("msg/0" ... "msg/39") stay with the
// view. Each feature that tells the user something owns a block of ten numbers.
QStringList myQQuickView::getGlobalStrings(QString langCode)
{
    Languages::Texts texts = Languages::load(langCode, messageCount);
    messages = texts.messages;
    if (accessProblem)
        sendDeviceAccessMessage();
    return texts.uiTexts;
}
