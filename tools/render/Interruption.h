// Ctrl-C during a render stops it cleanly, so the temporary output file is removed.
#pragma once

namespace render {

void installInterruptionHandlers();
bool interruptionRequested();

}  // namespace render
