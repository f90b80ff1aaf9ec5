#include "ui/status_panels.h"

#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>
#include <QStatusBar>

namespace kestrane::ui {

namespace {

// A status panel whose text, when it does not fit, ends in an ellipsis; its
// tooltip then shows the whole text (above any tooltip of its own). text()
// stays the whole text.
class ElidingPanel : public QLabel {
public:
    using QLabel::QLabel;

    bool elided() const
    {
        const QFontMetrics metrics(font());
        const int room = contentsRect().width() - 2 * indent();
        return !text().contains(u'\n') && metrics.horizontalAdvance(text()) > room;
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!elided()) {
            QLabel::paintEvent(event);
            return;
        }
        QFrame::paintEvent(event);  // the sunken frame
        QPainter painter(this);
        const QRect room = contentsRect().adjusted(indent(), 0, -indent(), 0);
        painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                         QFontMetrics(font()).elidedText(text(), Qt::ElideRight, room.width()));
    }

    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip && elided()) {
            const QString own = toolTip();
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               own.isEmpty() ? text() : text() + "\n\n" + own, this);
            return true;
        }
        return QLabel::event(event);
    }
};

QLabel* NewPanel(QStatusBar* bar, const QString& name, bool eliding = false)
{
    auto* panel = eliding ? new ElidingPanel(bar) : new QLabel(bar);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    return panel;
}

// The second panel's share of the bar, once it shows.
constexpr int kInfoPercent = 42;

}  // namespace

StatusPanels::StatusPanels(QStatusBar* bar, const QString& panelName)
    : QObject(bar), bar_(bar), panel_(NewPanel(bar, panelName, true)), info_(NewPanel(bar, panelName + "Info"))
{
    info_->hide();
    bar_->installEventFilter(this);
    place();
}

void StatusPanels::showWritten(const QString& path, const QDateTime& time)
{
    written_ = QDir::toNativeSeparators(path) + QStringLiteral("  ") + time.toString(QStringLiteral("HH:mm:ss"));
    // The status panel has no tooltip of its own while it has nothing more
    // to say: the bar's then shows over it too.
    bar_->setToolTip(written_);
    info_->setToolTip(written_);
    info_->show();
    place();
}

bool StatusPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == bar_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        place();
    return QObject::eventFilter(watched, event);
}

void StatusPanels::place()
{
    const int width = bar_->width();
    const int height = bar_->height();
    const int infoWidth = info_->isHidden() ? 0 : width * kInfoPercent / 100;
    panel_->setGeometry(0, 0, width - infoWidth, height);
    if (infoWidth == 0)
        return;
    info_->setGeometry(width - infoWidth, 0, infoWidth, height);
    // The time stays in view; a long path loses its middle.
    const QFontMetrics metrics(info_->font());
    const int room = info_->contentsRect().width() - 2 * info_->indent();
    info_->setText(metrics.elidedText(written_, Qt::ElideMiddle, room));
}

}  // namespace kestrane::ui
