// The hidden message-only windows through which script runs queued from
// other threads reach the thread that owns their context: one per thread
// that created a context. A posted message makes that thread's message loop
// run its queued jobs.
#pragma once

#include <windows.h>

#include <thread>

namespace script_dispatch_window {

void Start(HINSTANCE instance);
// ScriptJobQueue hooks.
void PrepareThisThread();
void Wake(std::thread::id home);
// Destroys this thread's window and unregisters the class (library unloading).
void Stop();

}  // namespace script_dispatch_window
