#include "ui/qr_code.h"

#include <qrencode.h>

#include <cerrno>
#include <memory>

namespace kiro {

namespace {

constexpr int kTerminalQuiet = 2;
constexpr int kPictureQuiet = 4;

}  // namespace

Result<QrCode> encodeQrCode(const std::string& text) {
  if (text.find('\0') != std::string::npos) return Error{"a QR code cannot hold a NUL character"};
  errno = 0;
  const std::unique_ptr<QRcode, decltype(&QRcode_free)> encoded(
      QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
  if (!encoded) {
    if (errno == ERANGE)
      return Error{"the text is too long for a QR code (" + std::to_string(text.size()) + " bytes)"};
    return Error{"cannot make a QR code of the text"};
  }
  const int size = encoded->width;
  std::vector<bool> dark(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
  for (std::size_t i = 0; i < dark.size(); ++i) dark[i] = (encoded->data[i] & 1) != 0;
  return QrCode(size, std::move(dark));
}

std::string qrTerminalText(const QrCode& code) {
  const int first = -kTerminalQuiet, end = code.size() + kTerminalQuiet;
  std::string text;
  for (int y = first; y < end; y += 2) {
    for (int x = first; x < end; ++x) {
      // A row past the quiet zone's end is the terminal's own background.
      const bool top = !code.dark(x, y), bottom = y + 1 < end && !code.dark(x, y + 1);
      text += top ? (bottom ? "\u2588" : "\u2580") : (bottom ? "\u2584" : " ");
    }
    text += '\n';
  }
  return text;
}

Picture qrPicture(const QrCode& code, std::size_t modulePixels, double scale) {
  const auto modules = static_cast<std::size_t>(code.size() + 2 * kPictureQuiet);
  Picture picture(modules * modulePixels, modules * modulePixels, scale);
  for (std::size_t y = 0; y < picture.pixelHeight(); ++y) {
    auto row = picture.row(y);
    const int moduleY = static_cast<int>(y / modulePixels) - kPictureQuiet;
    for (std::size_t x = 0; x < row.size(); ++x) {
      const bool dark = code.dark(static_cast<int>(x / modulePixels) - kPictureQuiet, moduleY);
      row[x] = dark ? Pixel{0, 0, 0, 255} : Pixel{255, 255, 255, 255};
    }
  }
  return picture;
}

}  // namespace kiro
