#pragma once

#include <QString>

// One keyboard the device object can talk to. An empty path means that interface is absent;
// an empty commandPath means no keyboard at all.
struct DeviceSlot {
    int id = 0; // index of the device-table entry this slot came from
    QString name;
    QString commandPath;
    QString inputPath;
    int reportLength = 0; // payload bytes of one data report
};
