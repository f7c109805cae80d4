#pragma once

#include "backend/pointer/pointer_settings.h"

#include <QList>
#include <QString>

// Records every call in the system's units and fails the actions it is told
// to fail.
class FakePointerSettings final : public PointerSettings
{
public:
    struct Call
    {
        QString action;
        long long value = 0;
        MouseParams params{};
        bool operator==(const Call &) const = default;
    };

    QList<Call> calls;
    QList<QString> failing; // action names that return false
    MouseParams mouse{6, 10, 1};

    bool setMouseSpeed(unsigned speed) override { return note("speed", speed); }
    bool setWheelScrollLines(unsigned lines) override { return note("wheel", lines); }
    bool setDoubleClickTime(unsigned ms) override { return note("doubleClick", ms); }
    bool getMouse(MouseParams &params) override
    {
        const bool ok = note("getMouse", 0);
        params = ok ? mouse : params;
        return ok;
    }
    bool setMouse(const MouseParams &params) override
    {
        const bool ok = note("setMouse", 0, params);
        mouse = ok ? params : mouse;
        return ok;
    }

private:
    bool note(const QString &action, long long value, MouseParams params = {})
    {
        calls.append({action, value, params});
        return !failing.contains(action);
    }
};
