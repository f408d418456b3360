// Whatever a receiver's name or a script's text holds, an event line is one line of
// valid UTF-8 JSON.
#include <cstdint>
#include <string>

#include "platform/utf8.h"
#include "script/json.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string line = Json(Json::Object{{text, Json::Array{text, Json(static_cast<double>(size) / 3)}}}).dump();
  for (const unsigned char c : line)
    if (c < 0x20) __builtin_trap();
  if (!isValidUtf8(line)) __builtin_trap();
  return 0;
}
