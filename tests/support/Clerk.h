#pragma once

#include <QTimer>
#include <functional>

// Acts on the pop-up and modal windows that come up while a test waits in a nested event loop, as the clerk
// would: tries its step every few milliseconds until the step reports it has acted, instead of guessing when
// the window is there.
class Clerk
{
public:
    explicit Clerk(std::function<bool()> step)
    {
        m_timer.callOnTimeout([this, step = std::move(step)] {
            if (step())
                m_timer.stop();
        });
        m_timer.start(20);
    }

    bool done() const { return !m_timer.isActive(); }

private:
    QTimer m_timer;
};
