#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/result.h"
#include "ui/picture.h"

namespace kiro {

// A QR code as a square of modules, dark or light, without its quiet zone.
class QrCode {
 public:
  QrCode(int size, std::vector<bool> dark) : size_(size), dark_(std::move(dark)) {}

  // Modules on a side.
  int size() const { return size_; }
  // x, y: in modules from the top-left; light outside the square.
  bool dark(int x, int y) const {
    return x >= 0 && y >= 0 && x < size_ && y < size_ && dark_[static_cast<std::size_t>(y * size_ + x)];
  }

 private:
  int size_;
  std::vector<bool> dark_;
};

// text encoded as bytes at error correction level M, in the smallest version that holds it;
// an error for text holding a NUL or too long for any version.
Result<QrCode> encodeQrCode(const std::string& text);

// code for a terminal: two rows of modules to a line of Unicode half blocks, within a quiet
// zone of 2 modules. The light modules are the blocks, so that on a dark terminal the code
// shows dark on light, as phones read it. Each line ends in a newline.
std::string qrTerminalText(const QrCode& code);

// code drawn black on white, modulePixels pixels to a module, within a quiet zone of 4
// modules, at scale pixels per point.
Picture qrPicture(const QrCode& code, std::size_t modulePixels, double scale);

}  // namespace kiro
