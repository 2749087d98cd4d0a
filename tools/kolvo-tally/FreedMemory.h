// How a run of many drawings gives memory back between them.
#pragma once

namespace kolvo {

// Large blocks go back to the system when they are freed. glibc otherwise raises its threshold
// for that after the first large free, and each thread's heap then keeps the largest drawing
// it has read: with several jobs the peak grew by a third beyond the jobs' own. Elsewhere the
// system's heap already does so, and this does nothing. Called once, before any thread starts.
void ReturnLargeBlocksWhenFreed();

} // namespace kolvo
