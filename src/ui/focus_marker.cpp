#include "ui/focus_marker.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

namespace kestrane::ui {

namespace {

class FocusMarker : public QObject {
public:
    FocusMarker(QScrollBar* bar, QLabel* label) : QObject(bar), bar_(bar), label_(label)
    {
        bar->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            // Right and Left raise and lower the channel. (A scroll bar's own
            // arrow keys run the other way, as they scroll a view.)
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Right || key->key() == Qt::Key_Left)) {
                bar_->triggerAction(key->key() == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                                : QAbstractSlider::SliderSingleStepSub);
                return true;
            }
        } else if (event->type() == QEvent::FocusIn)
            label_->setFrameStyle(QFrame::Box | QFrame::Plain);
        else if (event->type() == QEvent::FocusOut)
            label_->setFrameStyle(QFrame::NoFrame);
        return QObject::eventFilter(watched, event);
    }

private:
    QScrollBar* bar_;
    QLabel* label_;
};

}  // namespace

void MarkFocus(QScrollBar* bar, QLabel* label)
{
    bar->setFocusPolicy(Qt::StrongFocus);
    new FocusMarker(bar, label);
}

}  // namespace kestrane::ui
