#pragma once
// The engine with what a publisher of the phones page keeps beside it: the order results came in.

#include "engine.h"
#include "live/live_state.h"

namespace zorbon::test {

class LiveEngine : public Engine {
protected:
    // The phones page's state now, after the order has followed the bracket in play.
    LiveState now()
    {
        if (const Bracket* b = t.session().active())
            order.follow(*b);
        return liveState(t.session(), order.order());
    }
    ResultOrder order;
};

} // namespace zorbon::test
