// The core's Windows-1250 table against the toolkit's converter, for every
// byte above 127.
#include "core/cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

class Cp1250Test : public QObject {
    Q_OBJECT

private slots:
    void highBytes();
};

void Cp1250Test::highBytes()
{
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        QSKIP("this Qt has no Windows-1250 converter");
    int assigned = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char bytes[1] = {char(byte)};
        const QString text = decoder.decode(QByteArrayView(bytes, 1));
        const char32_t ours = kestrane::Cp1250ToUnicode(std::uint8_t(byte));
        if (ours == 0) {
            // Unassigned in the code page: the converter has no character either.
            QVERIFY2(text.isEmpty() || text.at(0) == QChar::ReplacementCharacter || text.at(0).unicode() == byte,
                     qPrintable(QString::number(byte, 16)));
            continue;
        }
        ++assigned;
        QVERIFY2(text.size() == 1 && text.at(0).unicode() == ours,
                 qPrintable(QStringLiteral("byte %1: %2 vs U+%3").arg(byte, 0, 16).arg(text).arg(uint(ours), 4, 16)));
        const auto back = kestrane::UnicodeToCp1250(ours);
        QVERIFY(back && *back == byte);
    }
    QCOMPARE(assigned, 123);
}

QTEST_MAIN(Cp1250Test)
#include "cp1250_test.moc"
