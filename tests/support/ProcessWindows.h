// Windows of another process, looked for and waited on by tests that start programs of their own
// and by kolvo-demo, which plays a user the same way.
#pragma once

#include <windows.h>

#include <functional>

namespace kolvo::test {

// The first visible top-level window of class `windowClass` (case-insensitive) that process
// `processId` owns; null when there is none yet.
HWND FindProcessWindow(DWORD processId, const char* windowClass);

// Waits for a condition that another process brings about, looking every 50 ms; false when it has
// not come after about `milliseconds` (by default a generous while), so that a broken program
// fails the test instead of hanging it.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 30000);

// Hands this thread's pending messages to their windows.
void PumpMessages();

// Handles this thread's messages until `done` holds; false when it has not after about
// `milliseconds`, so that a control that never gets there fails the test instead of hanging it.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 15000);

} // namespace kolvo::test
