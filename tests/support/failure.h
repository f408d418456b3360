#pragma once

#include <string>

#include "base/result.h"

namespace kiro {

// What a result says went wrong; empty when it went right.
template <typename Value>
std::string failure(const Result<Value>& result) {
  return result.ok() ? std::string() : result.error().message;
}

}  // namespace kiro
