#pragma once

#include <QLabel>
#include <QList>
#include <QRectF>

namespace mivo {

// A fixed caption of a data-entry page. The pages are laid out for a face whose ideographic
// space is about two thirds of an em wide; the screen face sets it a full em. The caption
// draws its ideographic spaces at two thirds of their width, so that its blanks fall where
// the field boxes are, and a caption still wider than its place is narrowed to fit it.
class CaptionLabel : public QLabel {
    Q_OBJECT
  public:
    CaptionLabel(const QString& text, QWidget* parent);

    struct Run {
        QString text;
        QRectF place; // in the label's coordinates
    };
    // The caption's words as drawn, without its blanks.
    QList<Run> words() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace mivo
