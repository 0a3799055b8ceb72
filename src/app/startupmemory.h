#pragma once

class QQmlEngine;

// Gives back what building the interface left behind: the script garbage of its set-up and the
// freed heap pages between live blocks, which the C library otherwise keeps for the process.
void releaseStartupMemory(QQmlEngine *engine);
