#pragma once

#include <QEvent>

// The one custom event of the host: posted by startUI() so that the QML's
// "run" is requested only after its "initUI" has run.
class UserEvent : public QEvent
{
public:
    static constexpr int kStartRun = 2177;

    explicit UserEvent(int code) : QEvent(QEvent::User), code(code) {}

    int code;
};
