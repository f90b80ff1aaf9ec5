// The fonts built into the program. This test runs under a font
// configuration without any font (FONTCONFIG_FILE), as on a machine that
// lacks DejaVu Sans Condensed: whatever font the windows get, they get from
// the program itself.
#include "window_test_support.h"

#include "ui/area_window.h"
#include "ui/bundled_fonts.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

const QString kFormFamily = QStringLiteral("DejaVu Sans Condensed");

// Every control of `window` whose font names a family (every family a form
// names must be built in) is drawn in that family, in the weight it asks for.
void CheckFormFonts(const QWidget& window, int& checked)
{
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const QFont font = widget->font();
        if (font.family() == QApplication::font().family())
            continue;
        const QFontInfo drawn(font);
        QVERIFY2(drawn.family() == font.family(),
                 qPrintable(widget->objectName() + " asks for " + font.family() + ", is drawn in " + drawn.family()));
        QVERIFY2(drawn.bold() == font.bold(), qPrintable(widget->objectName()));
        ++checked;
    }
}

}  // namespace

class FontsTest : public QObject {
    Q_OBJECT

private slots:
    void theFormsAreDrawnInTheBuiltInFonts();
    void theLicenceTravelsWithTheFonts();
    void aFontThatCannotBeRegisteredFallsBack();
};

void FontsTest::theFormsAreDrawnInTheBuiltInFonts()
{
    // Nothing of the family before the first window registers the fonts.
    QVERIFY(!QFontDatabase::families().contains(kFormFamily));

    WindowFolder folder;
    MainWindow form;
    AreaBuilderWindow area(&form);
    QVERIFY(RegisterBundledFonts());
    QVERIFY(QFontDatabase::families().contains(kFormFamily));
    QVERIFY(QFontDatabase::styles(kFormFamily).contains(QStringLiteral("Bold")));

    int checked = 0;
    CheckFormFonts(form, checked);
    CheckFormFonts(area, checked);
    QVERIFY(checked > 50);
    // The title: the largest bold caption.
    const QFontInfo title(Child<QLabel>(form, "Focim")->font());
    QCOMPARE(title.family(), kFormFamily);
    QVERIFY(title.bold());
    QCOMPARE(title.pointSize(), 12);
}

void FontsTest::theLicenceTravelsWithTheFonts()
{
    for (const QString& path : BundledFontFiles())
        QVERIFY2(QFile::exists(path), qPrintable(path));
    QFile licence(QStringLiteral(":/fonts/LICENSE-DejaVu.txt"));
    QVERIFY(licence.open(QIODevice::ReadOnly));
    const QByteArray text = licence.readAll();
    QVERIFY(text.contains("Bitstream Vera"));
    QVERIFY(text.contains("Permission is hereby granted"));
}

void FontsTest::aFontThatCannotBeRegisteredFallsBack()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("missing\\.ttf could not be registered")));
    QVERIFY(!RegisterFonts({QStringLiteral(":/fonts/missing.ttf")}));
    // The forms still come up and draw, in whatever the system offers.
    WindowFolder folder;
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(!form.grab().isNull());
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
