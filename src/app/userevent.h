#pragma once

#include <QEvent>

// The event the main window posts to itself to start the UI once "initUI" is queued.
class UserEvent : public QEvent
{
public:
    static constexpr QEvent::Type userEventType = QEvent::User; // 1000
    static constexpr int startUiCode = 2177;

    UserEvent(QEvent::Type type, int eventCode) : QEvent(type), code(eventCode) {}

    int code;
};
