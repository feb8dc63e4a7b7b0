#include "views/common/bmi.h"

#include <QTest>
#include <cmath>

using namespace zz;
using namespace Qt::StringLiterals;

class TestBmi : public QObject
{
    Q_OBJECT

private slots:
    void classes_data();
    void classes();
    void classification_data();
    void classification();
    void scrollValueHalvesToEven_data();
    void scrollValueHalvesToEven();
    void meter_data();
    void meter();
};

void TestBmi::classes_data()
{
    QTest::addColumn<float>("bmi");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rgb>("background");

    QTest::newRow("16.9") << 16.9f << u"やせ過ぎ"_s << Colors::PaleBlue;
    QTest::newRow("17 is not below 17") << 17.0f << u"やせ気味"_s << Colors::PaleCyan;
    QTest::newRow("19.99") << 19.99f << u"やせ気味"_s << Colors::PaleCyan;
    QTest::newRow("20") << 20.0f << u"スタンダード"_s << Colors::PaleGreen;
    QTest::newRow("24.0 is still standard") << 24.0f << u"スタンダード"_s << Colors::PaleGreen;
    QTest::newRow("just above 24") << std::nextafter(24.0f, 25.0f) << u"でぶメゾフォルテ"_s
                                   << Colors::PaleYellow;
    QTest::newRow("26.4 as single") << 26.4f << u"でぶメゾフォルテ"_s << Colors::PaleYellow;
    QTest::newRow("just above 26.4") << std::nextafter(26.4f, 27.0f) << u"でぶフォルテ"_s
                                     << Colors::PaleMagenta;
    QTest::newRow("29.99") << 29.99f << u"でぶフォルテ"_s << Colors::PaleMagenta;
    QTest::newRow("30.0") << 30.0f << u"でぶフォルテシモ"_s << Colors::PaleRed;
    QTest::newRow("35") << 35.0f << u"でぶフォルテシモ"_s << Colors::PaleRed;
}

void TestBmi::classes()
{
    QFETCH(float, bmi);
    QFETCH(QString, text);
    QFETCH(Rgb, background);

    const BmiClass c = ClassifyBmiValue(bmi);
    QCOMPARE(c.text, text);
    QCOMPARE(c.background, background);
}

void TestBmi::classification_data()
{
    QTest::addColumn<float>("weight");
    QTest::addColumn<float>("height");
    QTest::addColumn<QString>("bmiText");
    QTest::addColumn<QString>("classText");
    QTest::addColumn<float>("gauge");
    QTest::addColumn<int>("scroll");

    QTest::newRow("168.5 cm, 62.5 kg")
        << 62.5f << 168.5f << u"22.0"_s << u"スタンダード"_s << 62.5f / (1.685f * 1.685f) << 220;
    QTest::newRow("BMI 35 stands at 32")
        << 35.0f << 100.0f << u"35.0"_s << u"でぶフォルテシモ"_s << 32.0f << 320;
    QTest::newRow("BMI 15.2 stands at 17") << 15.2f << 100.0f << u"15.2"_s << u"やせ過ぎ"_s << 17.0f << 170;
    QTest::newRow("BMI 24") << 24.0f << 100.0f << u"24.0"_s << u"スタンダード"_s << 24.0f << 240;
}

void TestBmi::classification()
{
    QFETCH(float, weight);
    QFETCH(float, height);
    QFETCH(QString, bmiText);
    QFETCH(QString, classText);
    QFETCH(float, gauge);
    QFETCH(int, scroll);

    const BmiClassification c = ClassifyBmi(weight, height);
    QCOMPARE(c.bmiText, bmiText);
    QCOMPARE(c.bmiClass.text, classText);
    QCOMPARE(c.gaugeBmi, gauge);
    QCOMPARE(c.scrollValue, scroll);
    // At BMI 24 the pointer stands 240 twips left of the middle part; one BMI
    // point is 160 twips on the main panel and 500 on the meter.
    QCOMPARE(c.mainPointerOffsetTwips, -((24.0 - gauge) * 160 + 240));
    QCOMPARE(c.meterPointerOffsetTwips, -((24.0 - gauge) * 500 + 240));
}

void TestBmi::scrollValueHalvesToEven_data()
{
    QTest::addColumn<float>("gauge");
    QTest::addColumn<int>("scroll");

    QTest::newRow("22.25 down to even") << 22.25f << 222;
    QTest::newRow("22.75 up to even") << 22.75f << 228;
    QTest::newRow("17.25") << 17.25f << 172;
    QTest::newRow("31.75") << 31.75f << 318;
    QTest::newRow("22.01") << 22.01f << 220;
    QTest::newRow("22.06") << 22.06f << 221;
}

void TestBmi::scrollValueHalvesToEven()
{
    QFETCH(float, gauge);
    QFETCH(int, scroll);
    QCOMPARE(ScrollValueFor(gauge), scroll);
}

void TestBmi::meter_data()
{
    QTest::addColumn<int>("scrollValue");
    QTest::addColumn<float>("height");
    QTest::addColumn<bool>("simulated");
    QTest::addColumn<QString>("weightLabel");
    QTest::addColumn<QString>("bmiText");
    QTest::addColumn<QString>("weightText");
    QTest::addColumn<QString>("classText");
    QTest::addColumn<QString>("standardText");
    QTest::addColumn<QString>("obesityText");

    QTest::newRow("refresh at 168.5 cm, 62.5 kg") << 220 << 168.5f << false << u"62.5"_s << u"22.0"_s
                                                  << u"62.5"_s << u"スタンダード"_s << u"62.5"_s << u"0.0"_s;
    QTest::newRow("left end: 17.0 is slightly thin") << 170 << 168.5f << true << u"62.5"_s << u"17.0"_s
                                                     << u"48.3"_s << u"やせ気味"_s << u"62.5"_s << u"-22.7"_s;
    QTest::newRow("right end") << 320 << 160.0f << true << u""_s << u"32.0"_s << u"81.9"_s
                               << u"でぶフォルテシモ"_s << u"56.3"_s << u"45.5"_s;
    QTest::newRow("not simulated keeps the weight text as it is")
        << 240 << 168.5f << false << u"62.45"_s << u"24.0"_s << u"62.45"_s << u"スタンダード"_s << u"62.5"_s
        << u"-0.1"_s;
    QTest::newRow("standard weight below 10 shows two digits")
        << 200 << 60.0f << false << u"10"_s << u"20.0"_s << u"10"_s << u"スタンダード"_s << u"07.9"_s
        << u"26.6"_s;
}

void TestBmi::meter()
{
    QFETCH(int, scrollValue);
    QFETCH(float, height);
    QFETCH(bool, simulated);
    QFETCH(QString, weightLabel);
    QFETCH(QString, bmiText);
    QFETCH(QString, weightText);
    QFETCH(QString, classText);
    QFETCH(QString, standardText);
    QFETCH(QString, obesityText);

    const BmiMeterView v = ComputeBmiMeter(scrollValue, height, simulated, weightLabel);
    QCOMPARE(v.bmiText, bmiText);
    QCOMPARE(v.weightText, weightText);
    QCOMPARE(v.bmiClass.text, classText);
    QCOMPARE(v.standardWeightText, standardText);
    QCOMPARE(v.obesityText, obesityText);
    QCOMPARE(v.pointerOffsetTwips, -((24.0 - scrollValue / 10.0) * 500 + 240));
}

QTEST_APPLESS_MAIN(TestBmi)
#include "tst_bmi.moc"
