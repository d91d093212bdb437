#pragma once
// The one wait of the program. It sleeps in the event dispatcher until an event
// arrives or the deadline passes, processes the events (so STOP, queued SEND and
// the link's data callbacks run meanwhile) and re-checks `done` on every wake-up.
// Unlike a polling loop it costs next to no CPU while nothing happens.

#include <functional>

// For waits that last until a trigger, a stop or a failure.
constexpr double WAIT_FOREVER = -1.0;

// Returns true when done() held before `seconds` had passed (never expires with
// WAIT_FOREVER).
bool WaitUntil(const std::function<bool()>& done, double seconds);
