#pragma once

#include <cstddef>
#include <string>

namespace kiro {

// The About screen's help text: fifteen lines joined by line feeds, the last a copyright
// line. Lines 1 to 14 are ASCII, so byte and character positions agree up to line 15.
const std::string& helpText();

// Where the search-button picture goes: line 7, between "1.Click " and "  button".
inline constexpr std::size_t kSearchPicturePosition = 363;
// Where the logo goes once the search picture is in: the start of line 13.
inline constexpr std::size_t kLogoPicturePosition = 926;

}  // namespace kiro
