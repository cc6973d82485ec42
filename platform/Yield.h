#pragma once

// Gives the rest of this time slice to other threads and returns at once when none waits:
// the zero-length sleep of the frame pacing.
void yieldProcessor();
