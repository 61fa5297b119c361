#pragma once
// Colours the line kinds of a story source in the built-in editor.
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "workbench/source_line_kinds.h"

namespace qvn {

class SourceHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit SourceHighlighter(QObject* parent = nullptr);

  // The format a kind is drawn in.
  const QTextCharFormat& FormatOf(SourceLineKind kind) const;

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QTextCharFormat formats_[10];
};

}  // namespace qvn
