#include "ui/preview_launch.h"

#include "preview/preview_window.h"

#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kestrane::ui {

namespace {

// Set on the preview window once it has been placed.
constexpr char kPlacedProperty[] = "kestranePlaced";

// The gap left between the preview and the control it leaves in view (also
// room for the window frame).
constexpr int kGap = 8;

// The smallest preview worth placing beside the whole calling window;
// a smaller room puts it over the window, beside its row of buttons.
constexpr QSize kSmallestPreview(480, 360);

}  // namespace

QRect PlaceBeside(const QRect& screen, const QSize& size, const QRect& keep)
{
    // The four parts of the screen around `keep`.
    const QRect parts[] = {
        QRect(QPoint(keep.right() + 1 + kGap, screen.top()), screen.bottomRight()),  // right
        QRect(screen.topLeft(), QPoint(keep.left() - 1 - kGap, screen.bottom())),    // left
        QRect(QPoint(screen.left(), keep.bottom() + 1 + kGap), screen.bottomRight()), // below
        QRect(screen.topLeft(), QPoint(screen.right(), keep.top() - 1 - kGap)),      // above
    };
    const auto area = [](const QRect& r) { return r.isValid() ? qint64(r.width()) * r.height() : 0; };
    // A part the whole window fits in, in the order above; else the largest.
    const QRect* best = nullptr;
    for (const QRect& part : parts) {
        if (part.isValid() && part.width() >= size.width() && part.height() >= size.height()) {
            best = &part;
            break;
        }
    }
    if (!best)
        best = &*std::max_element(std::begin(parts), std::end(parts),
                                  [&](const QRect& a, const QRect& b) { return area(a) < area(b); });
    if (!best->isValid())
        return QRect(screen.topLeft(), size);
    const QSize fitted = size.boundedTo(best->size());
    // Level with `keep` where the part allows, else at the part's edge.
    QPoint corner = best->topLeft();
    if (best == &parts[0] || best == &parts[1]) {
        corner.setY(std::clamp(keep.top() - fitted.height() / 2, best->top(), best->bottom() + 1 - fitted.height()));
        if (best == &parts[1])
            corner.setX(best->right() + 1 - fitted.width());
    } else {
        corner.setX(std::clamp(keep.left() - fitted.width() / 2, best->left(), best->right() + 1 - fitted.width()));
        if (best == &parts[3])
            corner.setY(best->bottom() + 1 - fitted.height());
    }
    return QRect(corner, fitted);
}

QRect PlacePreview(const QRect& screen, const QSize& size, const QRect& window, const QRect& buttons)
{
    // Beside the whole window when a usable preview fits there.
    const QRect beside = PlaceBeside(screen, size, window);
    if (beside.width() >= kSmallestPreview.width() && beside.height() >= kSmallestPreview.height() &&
        !beside.intersects(window))
        return beside;
    return PlaceBeside(screen, size, buttons);
}

void ShowPreview(UiLanguage language, const QString& file, const QWidget* keepVisible)
{
    preview::SetPreviewLanguage(language);
    preview::PreviewWindow& window = preview::SharedPreviewWindow();
    if (keepVisible && !window.property(kPlacedProperty).toBool()) {
        const QScreen* screen = keepVisible->screen();
        const QWidget* caller = keepVisible->window();
        // The caller's row of buttons: every button level with `keepVisible`.
        const QRect own(keepVisible->mapToGlobal(QPoint(0, 0)), keepVisible->size());
        QRect row = own;
        for (const QPushButton* button : caller->findChildren<QPushButton*>()) {
            const QRect rect(button->mapToGlobal(QPoint(0, 0)), button->size());
            if (button->isVisible() && rect.top() < own.bottom() && rect.bottom() > own.top())
                row |= rect;
        }
        const QRect place = PlacePreview(screen->availableGeometry(), window.size(), caller->frameGeometry(), row);
        window.resize(place.size());
        window.move(place.topLeft());
        window.setProperty(kPlacedProperty, true);
    }
    window.show();
    window.raise();
    window.activateWindow();
    // Shown first: a large file is read with the window's progress bar.
    if (!file.isEmpty())
        window.openFile(file);
}

void RefreshPreview(const QString& file)
{
    preview::PreviewWindow& window = preview::SharedPreviewWindow();
    if (window.isVisible())
        window.openFile(file);
}

}  // namespace kestrane::ui
