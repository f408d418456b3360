#include "platform/qt/window/text_document.h"

#include <QTextBlock>
#include <cstring>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QUrl>

#include "platform/qt/window/asset_pixmaps.h"
#include "platform/qt/window/window_language.h"

namespace kiro {

namespace {

QColor toQColor(const Color& color) { return QColor::fromRgbF(color.red, color.green, color.blue, color.alpha); }

QTextCharFormat charFormat(const TextAttributes* attributes, const TextView& view) {
  QTextCharFormat format;
  const Font& font = attributes ? attributes->font : view.font();
  format.setFont(fontFor(font.name, font.size));
  format.setForeground(toQColor(attributes ? attributes->foregroundColor : view.textColor()));
  return format;
}

QTextBlockFormat blockFormat(const TextAttributes* attributes) {
  QTextBlockFormat format;
  if (attributes) format.setLineHeight(attributes->paragraphStyle.lineSpacing, QTextBlockFormat::LineDistanceHeight);
  return format;
}

}  // namespace

QImage toQImage(const Picture& picture) {
  QImage image(static_cast<int>(picture.pixelWidth()), static_cast<int>(picture.pixelHeight()),
               QImage::Format_RGBA8888_Premultiplied);
  for (std::size_t y = 0; y < picture.pixelHeight(); ++y) {
    const auto row = picture.row(y);
    std::memcpy(image.scanLine(static_cast<int>(y)), row.data(), row.size_bytes());
  }
  image.setDevicePixelRatio(picture.scale());
  return image;
}

std::unique_ptr<QTextDocument> textDocument(const TextView& view, double width) {
  auto document = std::make_unique<QTextDocument>();
  document->setDocumentMargin(0);
  const auto& inset = view.textContainerInset();
  document->setTextWidth(std::max(0.0, width - inset.left - inset.right - 2 * view.lineFragmentPadding()));
  QTextCursor cursor(document.get());
  const auto& text = view.attributedText();
  const std::u32string all = [&] {
    std::u32string codes;
    const QString utf16 = QString::fromStdString(text.string());
    for (char32_t code : utf16.toUcs4()) codes += code;
    return codes;
  }();
  int images = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    const TextAttributes* attributes = text.attributesAt(i);
    if (const TextAttachment* attachment = text.attachmentAt(i)) {
      const QString name = QString("kiro-picture-%1").arg(images++);
      document->addResource(QTextDocument::ImageResource, QUrl(name), toQImage(attachment->image));
      QTextImageFormat image;
      image.setName(name);
      image.setWidth(attachment->image.size().width);
      image.setHeight(attachment->image.size().height);
      cursor.insertImage(image);
    } else if (all[i] == U'\n') {
      cursor.insertBlock(blockFormat(attributes), charFormat(attributes, view));
    } else {
      // A run up to the next line or picture, drawn in the user's language as one text.
      std::size_t end = i;
      while (end < all.size() && all[end] != U'\n' && !text.attachmentAt(end)) ++end;
      if (cursor.atBlockStart()) cursor.setBlockFormat(blockFormat(attributes));
      cursor.insertText(shownRuns(QString::fromUcs4(&all[i], static_cast<qsizetype>(end - i)).toStdString()),
                        charFormat(attributes, view));
      i = end - 1;
    }
  }
  // Character wrapping: any point in a line may break it, as the help text asks.
  QTextOption option = document->defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document->setDefaultTextOption(option);
  return document;
}

}  // namespace kiro
