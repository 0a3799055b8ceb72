#pragma once

#include "runningprogram.h"
#include "testworkspace.h"

#include <QObject>
#include <QTest>

// The fixture of the tests that run the program's interface against the virtual keyboard: each
// test starts from a factory-fresh keyboard, and whatever it does, the interface logs no warning
// doing it.
class InterfaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("R7_VIRTUAL_KEYBOARD", "1");
        watchInterfaceWarnings();
    }
    void init()
    {
        interfaceWarnings().clear();
        resetVirtualKeyboard();
    }
    void cleanup()
    {
        QVERIFY2(interfaceWarnings().isEmpty(), qPrintable(interfaceWarnings().join('\n')));
    }
};
