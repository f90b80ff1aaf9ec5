#include "ui/cross_section_view.h"

#include "core/errors.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kestrane::ui {

namespace {

// The colour of each element's line, in the order of TrackElement.
const QColor kElementColors[kTrackElementCount] = {
    QColor(120, 110, 95),   // ballast
    QColor(110, 70, 35),    // sleeper
    QColor(40, 40, 48),     // rail
    QColor(60, 140, 50),    // grass
    QColor(125, 120, 115),  // rock
    QColor(170, 90, 60),    // wall
};

constexpr int kMargin = 6;

}  // namespace

QColor ElementColor(TrackElement element) { return kElementColors[static_cast<std::size_t>(element)]; }

CrossSectionView::CrossSectionView(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void CrossSectionView::setInput(const TrackInput& input, UiLanguage language)
{
    sections_.clear();
    fitted_.clear();
    refusal_.clear();
    try {
        const TrackParams p = ReadTrackParams(input, language);
        const double radius = p.radii.front();
        for (const TrackPiece piece : p.pieces) {
            sections_.push_back(PieceCrossSection(piece, p, radius));
            // The ground strip is usually far wider than the earthworks: it
            // runs off the drawing unless it is all there is.
            fitted_.push_back(piece != TrackPiece::Ground || p.pieces.size() == 1);
        }
    } catch (const InputError& e) {
        refusal_ = QString::fromStdString(e.what());
    }
    update();
}

void CrossSectionView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!refusal_.isEmpty()) {
        painter.setPen(QColor(160, 0, 0));
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin), Qt::TextWordWrap | Qt::AlignCenter,
                         refusal_);
        return;
    }
    // The extent of the fitted sections and the rail top, one scale for x and y.
    double left = -1.0, right = 1.0, low = -1.0, high = 0.5;
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (!fitted_[i])
            continue;
        for (const ProfileLine& line : sections_[i].lines)
            for (const ProfilePoint& point : line.points) {
                left = std::min(left, point.x);
                right = std::max(right, point.x);
                low = std::min(low, point.y);
                high = std::max(high, point.y);
            }
    }
    const double scale = std::min((width() - 2 * kMargin) / (right - left), (height() - 2 * kMargin) / (high - low));
    const double originX = width() / 2.0 - (left + right) / 2 * scale;
    const double originY = height() / 2.0 + (low + high) / 2 * scale;
    const auto at = [&](const ProfilePoint& point) {
        return QPointF(originX + point.x * scale, originY - point.y * scale);
    };
    painter.setClipRect(rect().adjusted(1, 1, -1, -1));
    // The rail top and the track centre, thin and grey.
    painter.setPen(QPen(QColor(200, 200, 220), 1, Qt::DashLine));
    painter.drawLine(QPointF(0, originY), QPointF(width(), originY));
    painter.drawLine(QPointF(originX, 0), QPointF(originX, height()));
    for (const CrossSection& section : sections_) {
        for (const ProfileLine& line : section.lines) {
            QPainterPath path;
            for (std::size_t k = 0; k < line.points.size(); ++k)
                k == 0 ? path.moveTo(at(line.points[k])) : path.lineTo(at(line.points[k]));
            painter.setPen(QPen(ElementColor(line.element), 2));
            painter.drawPath(path);
        }
        if (section.sleeper) {
            QPolygonF box;
            for (const ProfilePoint& corner : *section.sleeper)
                box << at(corner);
            painter.setPen(QPen(ElementColor(TrackElement::Sleeper), 1));
            painter.setBrush(ElementColor(TrackElement::Sleeper));
            painter.drawPolygon(box);
            painter.setBrush(Qt::NoBrush);
        }
    }
}

}  // namespace kestrane::ui
