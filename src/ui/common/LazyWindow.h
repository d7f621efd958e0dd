#pragma once
// A window that makes its widgets on first need: its first showing (or an earlier ensureBuilt) runs
// its build() once, so start-up does not pay for windows an operator may never open.

#include "common/BuildOnce.h"

namespace zorbon::ui {

template <class Window> class LazyWindow : public Window {
public:
    using Window::Window;

    // Makes the controls; nothing happens after the first call.
    void ensureBuilt()
    {
        m_built.once([this] { build(); });
    }
    void setVisible(bool visible) override
    {
        if (visible)
            ensureBuilt();
        Window::setVisible(visible);
    }

protected:
    // The widgets, made once by ensureBuilt.
    virtual void build() = 0;
    bool built() const { return m_built.done(); }

private:
    BuildOnce m_built;
};

} // namespace zorbon::ui
