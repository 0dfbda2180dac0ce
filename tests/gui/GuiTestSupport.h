#pragma once
#include <functional>

// Lets the event loop run for a while (timers, paints, input) inside a test.
void RunEventsFor(int milliseconds);
// Runs events until done() holds or the timeout passes; false on timeout.
bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs);
