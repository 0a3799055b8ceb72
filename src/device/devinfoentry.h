#pragma once

#include <QString>
#include <cstdint>

// One keyboard of the embedded device table, as read from it.
struct DevInfoEntry {
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0; // identifies the command interface together with usage
    quint16 usage = 0;
    quint16 usagePage2 = 0; // identifies the input interface together with usage2
    quint16 usage2 = 0;
    QString name;
    quint32 reportLength = 0;
};
