// A small drawing of a track kit's cross-section as typed: the chosen
// pieces side by side (the left ones on the left), to scale, with the
// formation, the ballast, the slopes, the ditch and the wall, from the same
// cross-section tables the generator writes. It redraws whenever the window
// gives it new inputs; inputs the generator would refuse leave the message
// in place of the drawing.
#pragma once

#include "track/track_sections.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

namespace kestrane::ui {

// The colour an element is drawn in (the drawing's lines, and the preview's
// surfaces whose bitmap is missing).
QColor ElementColor(TrackElement element);

class CrossSectionView : public QWidget {
    Q_OBJECT

public:
    explicit CrossSectionView(QWidget* parent = nullptr);

    // Reads `input` as the generator does and draws its chosen pieces (a
    // bend's cant with the first radius).
    void setInput(const TrackInput& input, UiLanguage language);

    // What is drawn: one cross-section per chosen piece, or none and the
    // reason.
    const std::vector<CrossSection>& sections() const { return sections_; }
    QString refusal() const { return refusal_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<CrossSection> sections_;
    std::vector<bool> fitted_;  // whether a section sets the scale (all but a wide ground strip)
    QString refusal_;
};

}  // namespace kestrane::ui
