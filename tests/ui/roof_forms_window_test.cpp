// The roof forms in the house builder window: their buttons beside the five
// roofs, their parameter boxes enabled only for their own form, captions in
// both languages, generation and refusal.
#include "window_test_support.h"

#include "ui/main_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace kestrane;
using namespace kestrane::ui;
using namespace kestrane::ui::test;

namespace {

// The parameter boxes: clip height, knee height, knee inset, ridge offset.
const char* const kParameterBoxes[] = {"kmaEdit", "tmgEdit", "tbeEdit", "gelEdit"};

QString ParameterPattern(const MainWindow& form)
{
    QString pattern;
    for (const char* name : kParameterBoxes)
        pattern += Child<QLineEdit>(form, name)->isEnabled() ? u'1' : u'0';
    return pattern;
}

}  // namespace

class RoofFormsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsBesideTheFiveRoofs();
    void parametersOnlyForTheirForm_data();
    void parametersOnlyForTheirForm();
    void captionsInBothLanguages();
    void generateEachForm();
    void refusalNamesTheBox();
};

void RoofFormsWindowTest::buttonsBesideTheFiveRoofs()
{
    WindowFolder folder;
    MainWindow form;
    const char* const forms[] = {"Csonkakonty", "Tortnyereg", "Manzardteto", "Eltoltnyereg"};
    const char* const five[] = {"Nyeregteto", "Kontyoltteto", "satorteto", "laposteto"};
    for (int i = 0; i < 4; ++i) {
        auto* button = Child<QRadioButton>(form, forms[i]);
        QCOMPARE(button->geometry(), QRect(8, 264 + 16 * i, 78, 17));
        QVERIFY(!button->isChecked());
        // One group with the five: choosing a form clears the pyramid.
        QCOMPARE(button->y(), Child<QRadioButton>(form, five[i])->y());
    }
    Child<QRadioButton>(form, "Manzardteto")->click();
    QVERIFY(!Child<QRadioButton>(form, "satorteto")->isChecked());
    QCOMPARE(form.houseInput().roofKind, RoofKind::Mansard);
    Child<QRadioButton>(form, "satorteto")->click();
    QVERIFY(!Child<QRadioButton>(form, "Manzardteto")->isChecked());
    QCOMPARE(form.houseInput().roofKind, RoofKind::Pyramid);
}

void RoofFormsWindowTest::parametersOnlyForTheirForm_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<bool>("roofLevelTexture");
    QTest::newRow("half-hipped") << "Csonkakonty" << "1000" << true;
    QTest::newRow("gambrel") << "Tortnyereg" << "0110" << true;
    QTest::newRow("mansard") << "Manzardteto" << "0110" << false;
    QTest::newRow("saltbox") << "Eltoltnyereg" << "0001" << true;
    QTest::newRow("pitched") << "Nyeregteto" << "0000" << true;
    QTest::newRow("flat") << "laposteto" << "0000" << false;
}

void RoofFormsWindowTest::parametersOnlyForTheirForm()
{
    QFETCH(QString, button);
    QFETCH(QString, parameters);
    QFETCH(bool, roofLevelTexture);
    WindowFolder folder;
    MainWindow form;
    form.show();
    QCOMPARE(ParameterPattern(form), QStringLiteral("0000"));  // the pyramid is checked at start
    QTest::mouseClick(Child<QRadioButton>(form, button), Qt::LeftButton);
    QVERIFY(Child<QRadioButton>(form, button)->isChecked());
    QCOMPARE(ParameterPattern(form), parameters);
    QCOMPARE(form.houseInput().RoofLevelTextureEnabled(), roofLevelTexture);
    // The gutters, the overhang and the corner walls stay available.
    if (parameters != "0000") {
        Child<QCheckBox>(form, "Sbal")->setChecked(true);  // the size box counts only with a corner ticked
        for (const char* name : {"Ereszcsatorna", "tleEdit", "Sbal", "Sjobb", "SarokfalEdit"})
            QVERIFY2(Child<QWidget>(form, name)->isEnabled(), name);
        QVERIFY(!Child<QWidget>(form, "tkoEdit")->isEnabled());
    }
}

void RoofFormsWindowTest::captionsInBothLanguages()
{
    WindowFolder folder;
    MainWindow form;
    form.switchToHungarian();
    QCOMPARE(Child<QRadioButton>(form, "Csonkakonty")->text(), QString::fromUtf8("Félkontyos"));
    QCOMPARE(Child<QRadioButton>(form, "Tortnyereg")->text(), QString::fromUtf8("Tört nyereg"));
    QCOMPARE(Child<QLabel>(form, "tbeLabel")->text(), QString::fromUtf8("Törés beh."));
    QVERIFY(Child<QLineEdit>(form, "gelEdit")->toolTip().contains(QString::fromUtf8("gerinc")));
    form.switchToEnglish();
    QCOMPARE(Child<QRadioButton>(form, "Csonkakonty")->text(), QStringLiteral("Half-hipped"));
    QCOMPARE(Child<QRadioButton>(form, "Tortnyereg")->text(), QStringLiteral("Gambrel"));
    QCOMPARE(Child<QRadioButton>(form, "Manzardteto")->text(), QStringLiteral("Mansard"));
    QCOMPARE(Child<QRadioButton>(form, "Eltoltnyereg")->text(), QStringLiteral("Saltbox"));
    QCOMPARE(Child<QLabel>(form, "kmaLabel")->text(), QStringLiteral("Clip height"));
    QCOMPARE(Child<QLabel>(form, "tmaLabel")->text(), QStringLiteral("Knee height"));
    QCOMPARE(Child<QLabel>(form, "tbeLabel")->text(), QStringLiteral("Knee inset"));
    QCOMPARE(Child<QLabel>(form, "gelLabel")->text(), QStringLiteral("Ridge offset"));
    QVERIFY(Child<QLineEdit>(form, "kmaEdit")->toolTip().startsWith(QStringLiteral("The clip's height")));
    QVERIFY(Child<QRadioButton>(form, "Eltoltnyereg")->toolTip().startsWith(QStringLiteral("Saltbox roof")));
}

void RoofFormsWindowTest::generateEachForm()
{
    WindowFolder folder;
    MainWindow form;
    const std::pair<const char*, const char*> forms[] = {
        {"Csonkakonty", "haz_felkontyoltteto.b3d"},
        {"Tortnyereg", "haz_tortnyeregteto.b3d"},
        {"Manzardteto", "haz_manzardteto.b3d"},
        {"Eltoltnyereg", "haz_eltoltnyeregteto.b3d"},
    };
    for (const auto& [button, file] : forms) {
        Child<QRadioButton>(form, button)->click();
        form.generateHouse();
        QCOMPARE(form.statusText(), QString::fromUtf8(file) + QString::fromUtf8(" fájl generálása kész"));
        QVERIFY(folder.exists(file));
    }
    // A typed parameter reaches the file: the saltbox ridge 1.2 m right.
    form.switchToEnglish();
    Child<QRadioButton>(form, "Eltoltnyereg")->click();
    Child<QLineEdit>(form, "gelEdit")->setText("-1200");
    form.generateHouse();
    QCOMPARE(form.statusText(), QStringLiteral("House_saltbox.b3d file generating successfull"));
    QVERIFY(folder.read("House_saltbox.b3d").contains("vertex  0.000, 7.000,-1.200"));
    QVERIFY(folder.reports.empty());
}

void RoofFormsWindowTest::refusalNamesTheBox()
{
    WindowFolder folder;
    MainWindow form;
    Child<QRadioButton>(form, "Tortnyereg")->click();
    form.generateHouse();
    const QByteArray before = folder.read("haz_tortnyeregteto.b3d");
    QVERIFY(!before.isEmpty());
    Child<QLineEdit>(form, "tmgEdit")->setText("8000");
    form.generateHouse();
    QCOMPARE(folder.reports.size(), size_t(1));
    QVERIFY2(folder.reports[0].text.startsWith(QString::fromUtf8("Törés mag.: ")), qPrintable(folder.reports[0].text));
    QCOMPARE(folder.read("haz_tortnyeregteto.b3d"), before);
}

QTEST_MAIN(RoofFormsWindowTest)
#include "roof_forms_window_test.moc"
