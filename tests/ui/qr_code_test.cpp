#include "ui/qr_code.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kiro {
namespace {

const std::string kUrl = "http://192.0.2.1:8080/pair#sim-secret-1";

// The rows Debian's qrencode tool draws for text at level M without a margin, "##" a dark module.
std::vector<std::string> qrencodeRows(const std::string& text) {
  std::vector<std::string> rows;
  FILE* tool = popen(("qrencode -t ASCII -l M -m 0 -o - '" + text + "'").c_str(), "r");
  if (!tool) return rows;
  std::string row;
  for (int c; (c = std::fgetc(tool)) != EOF;) {
    if (c != '\n') {
      row += static_cast<char>(c);
      continue;
    }
    rows.push_back(row);
    row.clear();
  }
  pclose(tool);
  return rows;
}

TEST(QrCode, EveryModuleIsTheOneTheQrencodeToolDraws) {
  const auto code = encodeQrCode(kUrl);
  ASSERT_TRUE(code.ok()) << code.error().message;
  const auto rows = qrencodeRows(kUrl);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(code.value().size())) << "is the qrencode tool installed?";
  for (int y = 0; y < code.value().size(); ++y)
    for (int x = 0; x < code.value().size(); ++x) {
      const auto at = static_cast<std::size_t>(2 * x);
      EXPECT_EQ(code.value().dark(x, y), at < rows[y].size() && rows[y][at] == '#') << x << "," << y;
    }
  // The finder pattern's ring and core, top left; light outside the square.
  EXPECT_TRUE(code.value().dark(0, 0) && code.value().dark(6, 6) && code.value().dark(3, 3));
  EXPECT_FALSE(code.value().dark(1, 1) || code.value().dark(7, 7) || code.value().dark(-1, 0));
}

TEST(QrCode, TextItCannotHoldIsAClearError) {
  const auto tooLong = encodeQrCode(std::string(3000, 'x'));
  ASSERT_FALSE(tooLong.ok());
  EXPECT_EQ(tooLong.error().message, "the text is too long for a QR code (3000 bytes)");
  EXPECT_FALSE(encodeQrCode(std::string("a\0b", 3)).ok());
}

// Two rows to a line: the light modules (the quiet zone among them) are the blocks.
TEST(QrCode, TheTerminalTextIsHalfBlocksWithAQuietZoneOf2) {
  const auto code = encodeQrCode(kUrl).value();
  const std::string text = qrTerminalText(code);
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  const int side = code.size() + 4;
  ASSERT_EQ(lines.size(), static_cast<std::size_t>((side + 1) / 2));
  const std::string full = "\u2588", top = "\u2580", bottom = "\u2584";
  std::string quiet;
  for (int i = 0; i < side; ++i) quiet += full;
  EXPECT_EQ(lines.front(), quiet);
  // The next line: the quiet zone, then the finder's dark edge, then its dark top over light.
  EXPECT_EQ(lines[1].substr(0, 2 * full.size() + 1 + bottom.size()), full + full + " " + bottom);
  EXPECT_EQ(lines.back().substr(0, top.size()), top);  // an odd side: the last row alone
  for (const auto& line : lines) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < line.size(); i += line[i] == ' ' ? 1 : 3) ++columns;
    EXPECT_EQ(columns, static_cast<std::size_t>(side));
  }
}

TEST(QrCode, ThePictureIsBlackOnWhiteInWholePixelsAModule) {
  const auto code = encodeQrCode(kUrl).value();
  const Picture picture = qrPicture(code, 3, 2);
  const auto side = static_cast<std::size_t>(code.size() + 8) * 3;
  ASSERT_EQ(picture.pixelWidth(), side);
  EXPECT_EQ(picture.size().width, side / 2.0);
  const Pixel white{255, 255, 255, 255}, black{0, 0, 0, 255};
  EXPECT_EQ(picture.pixel(11, 11), white);  // the quiet zone
  EXPECT_EQ(picture.pixel(12, 12), black);  // the finder's first module, 4 modules in
  EXPECT_EQ(picture.pixel(14, 14), black);
  EXPECT_EQ(picture.pixel(15, 15), white);
}

}  // namespace
}  // namespace kiro
