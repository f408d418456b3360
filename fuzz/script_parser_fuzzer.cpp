// Any line is a command, nothing, or an error; never both, never a crash.
#include <cstdint>
#include <string_view>

#include "script/script_parser.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    const ParsedScriptLine parsed = parseScriptLine(input.substr(0, end));
    if (parsed.command && parsed.error) __builtin_trap();
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  return 0;
}
