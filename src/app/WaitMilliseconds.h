#pragma once

namespace zoz {

// Returns after that many milliseconds of the monotonic clock; window and port events keep
// running meanwhile in a nested event loop. 0 or less returns at once.
void WaitMilliseconds(int milliseconds);

} // namespace zoz
