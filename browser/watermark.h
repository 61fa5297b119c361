#pragma once
// The "QVN System" watermark of the plain background: a bold Arial-family
// font of cell height 20, rising at 45 degrees, repeated on a grid whose step
// leaves room between the repeats whatever face stands in for Arial.
#include <QColor>
#include <QFont>
#include <QPainter>

#include "layout/background_geometry.h"

namespace qvn {

inline constexpr char kWatermarkText[] = "QVN System";

// Bold `family` whose ascent plus descent (the cell height) is at most 20
// pixels, as a font asked for by its cell height is.
QFont WatermarkFont(const QString& family = "Arial");

// The grid step for `font`: its text and the width of one space fit between
// two repeats on the diagonal.
int WatermarkStepFor(const QFont& font);

void PaintWatermark(QPainter& painter, Size area, const QColor& colour, const QFont& font);

}  // namespace qvn
