#pragma once

#include <QTextDocument>
#include <memory>

#include "ui/text_view.h"

namespace kiro {

// The text view's attributed text as a Qt document laid out to width points: fonts,
// colours, line spacing and the inline pictures at their sizes in points.
std::unique_ptr<QTextDocument> textDocument(const TextView& view, double width);

// A core picture as a Qt image, keeping its scale.
QImage toQImage(const Picture& picture);

}  // namespace kiro
