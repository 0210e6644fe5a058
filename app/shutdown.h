#pragma once

// Ends the program at once: every window closes and the event loop stops, so
// no further handler runs. Without a running event loop (as under the tests)
// only the windows close.
void end_program();
