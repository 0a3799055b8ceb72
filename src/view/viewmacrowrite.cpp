#include "view/myqquickview.h"

#include "backend/macroencoding.h"
#include "device/hidthread.h"
#include "storage/macrofiles.h"
#include "storage/macrolog.h"

#include <QMessageBox>

QList<uchar> myQQuickView::macroIncode(QStringList macros, QVariant repeatTimes)
{
    return encodeMacro(macros, repeatTimes.toInt(), keyNameToCode);
}

void myQQuickView::ui_10H_SetMacroKey(QVariant macroId, QVariant name)
{
    if (!MacroFiles::isSafeName(name.toString()))
        return;
    // A missing file gives repeat 1 and no steps: the slot is emptied.
    QList<uchar> encoded = macroIncode(loadMacroIni(name), getMacroRepeat(name));
    if (encoded.size() > macroSlotSize) {
        QMessageBox::warning(nullptr, tr("%1").arg(messages.value(0)),
                             tr("%1").arg(messages.value(1)), QMessageBox::Ok);
        // Never a cut step and never a missing end mark: the keyboard would run on into
        // whatever follows.
        encoded = fitMacroToSlot(encoded);
        qCInfo(lcMacro) << "Macro" << name.toString() << "cut to" << encoded.size()
                        << "bytes to fit its slot";
    }
    std::array<uchar, macroSlotSize> image = macroSlotImage(encoded);
    if (hidThread)
        hidThread->hid_10H_SetMacroKey(uchar(macroId.toInt() & 0xFF), image.data());
}
