#pragma once

// Qt's string hashing uses the processor's wide vector registers where they exist and leaves their
// upper halves marked in use. Until that state is cleared, the older vector instructions the rest
// of the program is built with wait on those registers, and a pass over a large archive, which
// lives on overlapping memory reads, runs several times slower.
namespace vectorState {

// Clears it; nothing on processors without wide vector registers. Called before long passes.
void clear();

}  // namespace vectorState
