#pragma once

#include <string>
#include <string_view>

namespace kiro {

// text made safe to show on a terminal or in the system log: control characters (C0, DEL,
// C1) and the marks that reorder text (bidi embeddings, overrides, isolates, direction
// marks) become \xNN or \uNNNN, and each byte that starts no UTF-8 sequence becomes \xNN,
// so that text from outside (a receiver's name, a script line, a file name) can neither
// drive the terminal nor disguise itself. Everything else is kept as it is.
std::string terminalSafe(std::string_view text);

}  // namespace kiro
