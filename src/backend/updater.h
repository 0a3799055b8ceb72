#pragma once

class Hid_Thread;
class QObject;

// Starts the firmware updater, "./modules/update/flashOnLine.exe", as a child of `parent`. The
// updater needs the keyboard to itself: the worker is stopped first, and the next device check
// starts it again. Without an updater nothing is started.
void launchUpdater(Hid_Thread *hid, QObject *parent);
