#pragma once
// The windows make their widgets on first need, not at start-up: this runs a window's build once.

#include <utility>

namespace zorbon::ui {

class BuildOnce {
public:
    // Runs `build` unless it has run before.
    template <class Build> void once(Build&& build)
    {
        if (m_done)
            return;
        m_done = true; // set first: a build that shows the window asks again
        std::forward<Build>(build)();
    }
    bool done() const { return m_done; }

private:
    bool m_done = false;
};

} // namespace zorbon::ui
