// The status bar of both windows: the status panel (the texts of the
// generations and of the update check) and, right of it once a file has
// been written, the panel with that file's full path and the time it was
// written. The status bar's tooltip says the same; it shows over the status
// panel too unless that has a tooltip of its own (the bitmaps a house with
// facades needs).
//
// A status text wider than its panel ends in an ellipsis, and the panel's
// tooltip shows it whole.
//
// Both panels take the bar's full height, so that the font's descenders and
// underscores show: the bar's own layout keeps a few pixels above and below
// its items, more than a 19-pixel bar can spare.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

namespace kestrane::ui {

class StatusPanels : public QObject {
    Q_OBJECT

public:
    // Creates the two panels in `bar`, named `panelName` and `panelName` +
    // "Info".
    StatusPanels(QStatusBar* bar, const QString& panelName);

    QLabel* panel() const { return panel_; }
    QLabel* info() const { return info_; }

    // A file was written: its path and the time go to the second panel and
    // to the tooltip.
    void showWritten(const QString& path, const QDateTime& time);
    // The text of the second panel and of the tooltip: the path, two spaces,
    // the time (hours, minutes, seconds).
    QString writtenText() const { return written_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();

    QStatusBar* bar_;
    QLabel* panel_;
    QLabel* info_;
    QString written_;
};

}  // namespace kestrane::ui
