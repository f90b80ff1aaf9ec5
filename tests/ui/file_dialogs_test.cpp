// The file dialogs of the windows: their detail columns show their whole
// texts ("171.29 KiB", the date) in either language, and every dialog a
// window opens is built that way.
#include "ui/window_test_support.h"

#include "preview/preview_window.h"
#include "ui/area_window.h"
#include "ui/file_dialogs.h"
#include "ui/qt_translations.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// The detail column `column` of the file named `name` in the dialog's
// folder; invalid until the dialog has read the folder.
QModelIndex Cell(const QTreeView& details, const QString& name, int column)
{
    const QAbstractItemModel* model = details.model();
    const QModelIndex folder = details.rootIndex();
    for (int row = 0; row < model->rowCount(folder); ++row) {
        if (model->index(row, 0, folder).data().toString() == name)
            return model->index(row, column, folder);
    }
    return {};
}

// Forgets the column widths and modes Qt's file dialogs saved last, so
// that every dialog starts from Qt's defaults.
void ForgetDialogState() { QSettings(QSettings::UserScope, QStringLiteral("QtProject")).remove(QStringLiteral("FileDialog")); }

// Whether the column is wide enough for `text` between the cell's margins.
bool Fits(const QTreeView& details, int column, const QString& text)
{
    const int margin = details.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &details) + 1;
    return details.header()->sectionSize(column) - 2 * margin >= details.fontMetrics().horizontalAdvance(text);
}

// Runs `open`, which opens a modal file dialog, cancels the dialog, and
// tells whether its size column was sized to its contents.
bool OpensFittedDialog(const std::function<void()>& open)
{
    bool fitted = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        const auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        fitted = details && details->header()->sectionResizeMode(1) == QHeaderView::ResizeToContents;
        dialog->reject();
    });
    poll.start();
    open();
    return fitted;
}

}  // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void detailColumnsShowTheirWholeTexts_data()
    {
        QTest::addColumn<bool>("hungarian");
        QTest::newRow("Hungarian") << true;
        QTest::newRow("English") << false;
    }

    void detailColumnsShowTheirWholeTexts()
    {
        QFETCH(bool, hungarian);
        UseQtTranslations(hungarian ? UiLanguage::Hungarian : UiLanguage::English);
        WindowFolder folder;
        QVERIFY(folder.write("domb.b3d", QByteArray(171 * 1024 + 300, 'x')));
        ForgetDialogState();

        const auto dialog = MakeFileDialog(nullptr, FileDialogKind::OpenFile, QStringLiteral("Open"), folder.path());
        dialog->show();
        auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(details);
        QTRY_VERIFY(!Cell(*details, "domb.b3d", 1).data().toString().isEmpty());
        const QString size = Cell(*details, "domb.b3d", 1).data().toString();
        QVERIFY2(size.startsWith(QStringLiteral("171")) && size.endsWith(QStringLiteral("KiB")), qPrintable(size));
        for (int column = 1; column < details->header()->count(); ++column) {
            const QString text = Cell(*details, "domb.b3d", column).data().toString();
            QTRY_VERIFY2(Fits(*details, column, text), qPrintable(text));
        }
        // The name column keeps the room that is left.
        QVERIFY(details->header()->sectionSize(0) >= 200);
    }

    void everyWindowOpensFittedDialogs()
    {
        WindowFolder folder;
        ForgetDialogState();
        MainWindow form;
        QVERIFY(OpensFittedDialog([&] { Child<QPushButton>(form, "loadPresetButton")->click(); }));
        QVERIFY(OpensFittedDialog([&] { Child<QPushButton>(form, "savePresetButton")->click(); }));
        QVERIFY(OpensFittedDialog([&] { Child<QPushButton>(form, "kimenetTallozo")->click(); }));
        AreaBuilderWindow area(&form);
        QVERIFY(OpensFittedDialog([&] { area.browseHeightmap(); }));
        preview::PreviewWindow preview;  // not shown: no drawing needed
        QVERIFY(OpensFittedDialog([&] { Child<QPushButton>(preview, "previewOpenButton")->click(); }));
    }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
