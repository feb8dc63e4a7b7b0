#include "base/displayformats.h"
#include "base/numbers.h"
#include "base/tablerow.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace zz;

class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void wholeNumber_data();
    void wholeNumber();
    void wholeNumberAsFloatIsTheNearestFloat();
    void roundToInt16_data();
    void roundToInt16();
    void floatText_data();
    void floatText();
    void doubleText_data();
    void doubleText();
    void displayFormats_data();
    void displayFormats();
    void dates();
    void changeMark_data();
    void changeMark();
};

void NumbersTest::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << u"65.4"_s << 65.4;
    QTest::newRow("unit after the number") << u"65.4kg"_s << 65.4;
    QTest::newRow("letters only") << u"abc"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks skipped") << u"  12abc"_s << 12.0;
    QTest::newRow("negative") << u"-0.5"_s << -0.5;
    QTest::newRow("plus sign") << u"+3"_s << 3.0;
    QTest::newRow("second point ends it") << u"1.2.3"_s << 1.2;
    QTest::newRow("exponent") << u"1e3x"_s << 1000.0;
    QTest::newRow("exponent without digits is not read") << u"2e"_s << 2.0;
    QTest::newRow("point first") << u".5"_s << 0.5;
    QTest::newRow("sign alone") << u"-"_s << 0.0;
    QTest::newRow("point alone") << u"."_s << 0.0;
    QTest::newRow("full-width digits are not digits") << u"６５"_s << 0.0;
}

void NumbersTest::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumber(text), expected);
}

void NumbersTest::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("half") << u"0.5"_s << true << 0.5;
    QTest::newRow("blanks around") << u" 0.25 "_s << true << 0.25;
    QTest::newRow("trailing zero") << u"0.10"_s << true << 0.1;
    QTest::newRow("unit is not allowed") << u"65kg"_s << false << 0.0;
    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("exponent") << u"1.5E2"_s << true << 150.0;
    QTest::newRow("negative") << u"-2"_s << true << -2.0;
    QTest::newRow("comma decimal is not a number") << u"0,5"_s << false << 0.0;
}

void NumbersTest::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const std::optional<double> value = WholeNumber(text);
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
    QCOMPARE(WholeNumberAsFloat(text).has_value(), valid);
}

void NumbersTest::wholeNumberAsFloatIsTheNearestFloat()
{
    // Going through double first would round twice; this text sits where that
    // gives a different float.
    const QString text = u"1.00000005960464477539062500001"_s;
    QCOMPARE(*WholeNumberAsFloat(text), std::nextafter(1.0f, 2.0f));
    QCOMPARE(*WholeNumberAsFloat(u"65.4"_s), 65.4f);
    QVERIFY(!WholeNumberAsFloat(u"1e39"_s));
}

void NumbersTest::roundToInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("inRange");
    QTest::addColumn<int>("expected");
    QTest::newRow("1350.5 to even 1350") << 1350.5 << true << 1350;
    QTest::newRow("1351.5 to even 1352") << 1351.5 << true << 1352;
    QTest::newRow("below half") << 1350.49 << true << 1350;
    QTest::newRow("negative half") << -2.5 << true << -2;
    QTest::newRow("upper bound") << 32767.0 << true << 32767;
    QTest::newRow("lower bound") << -32768.0 << true << -32768;
    QTest::newRow("half below the lower bound rounds into range") << -32768.5 << true << -32768;
    QTest::newRow("above range") << 32767.5 << false << 0;
    QTest::newRow("far above") << 40000.0 << false << 0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void NumbersTest::roundToInt16()
{
    QFETCH(double, value);
    QFETCH(bool, inRange);
    QFETCH(int, expected);
    const std::optional<qint16> rounded = RoundToInt16(value);
    QCOMPARE(rounded.has_value(), inRange);
    if (inRange)
        QCOMPARE(int(*rounded), expected);
}

void NumbersTest::floatText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("65.4") << 65.4f << u"65.4"_s;
    QTest::newRow("whole value has no point") << 65.0f << u"65"_s;
    QTest::newRow("sum residue hidden by 7 digits") << (0.1f + 0.2f) << u"0.3"_s;
    QTest::newRow("seven digits kept") << 1234.567f << u"1234.567"_s;
    QTest::newRow("eighth digit rounded") << 12345.678f << u"12345.68"_s;
    QTest::newRow("negative") << -0.1f << u"-0.1"_s;
    QTest::newRow("zero") << 0.0f << u"0"_s;
    QTest::newRow("negative zero") << -0.0f << u"0"_s;
    QTest::newRow("small fraction") << 0.005f << u"0.005"_s;
    QTest::newRow("168.5") << 168.5f << u"168.5"_s;
    QTest::newRow("large whole value") << 1000000.0f << u"1000000"_s;
    QTest::newRow("beyond seven digits uses an exponent") << 12345678.0f << u"1.234568E+07"_s;
    QTest::newRow("tiny value uses an exponent") << 0.0000015f << u"1.5E-06"_s;
}

void NumbersTest::floatText()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText(value), expected);
}

void NumbersTest::doubleText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("step sum 65.4 + 0.1") << (65.4 + 0.1) << u"65.5"_s;
    QTest::newRow("64.8 + 0.2") << (64.8 + 0.2) << u"65"_s;
    QTest::newRow("0.1 - 0.1 - 0.1") << (0.1 - 0.1 - 0.1) << u"-0.1"_s;
    QTest::newRow("65.43 + 0.1") << (65.43 + 0.1) << u"65.53"_s;
    QTest::newRow("fifteen digits") << 0.123456789012345 << u"0.123456789012345"_s;
    QTest::newRow("whole") << 1350.0 << u"1350"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
}

void NumbersTest::doubleText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(NumberText(value), expected);
}

void NumbersTest::displayFormats_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Kg") << FormatKg(65.4f) << u"65.4Kg"_s;
    QTest::newRow("Kg whole") << FormatKg(65.0f) << u"65.0Kg"_s;
    QTest::newRow("Kg half up") << FormatKg(0.25f) << u"0.3Kg"_s;
    QTest::newRow("Kg half away from zero") << FormatKg(-0.25f) << u"-0.3Kg"_s;
    QTest::newRow("Kg float 65.45 reads as 65.45") << FormatKg(65.45f) << u"65.5Kg"_s;
    QTest::newRow("Kg difference as the user reads it") << FormatKg(65.4f - 65.35f) << u"0.1Kg"_s;
    QTest::newRow("Kg small negative is no negative zero") << FormatKg(-0.04f) << u"0.0Kg"_s;
    QTest::newRow("Kg negative zero") << FormatKg(-0.0f) << u"0.0Kg"_s;
    QTest::newRow("Kg carries into a new digit") << FormatKg(99.96f) << u"100.0Kg"_s;
    QTest::newRow("Kg3") << FormatKg3(0.0125) << u"0.013Kg"_s;
    QTest::newRow("Kg3 negative") << FormatKg3(-1.2345) << u"-1.235Kg"_s;
    QTest::newRow("Kg3 no negative zero") << FormatKg3(-0.0001) << u"0.000Kg"_s;
    QTest::newRow("one decimal float") << FormatOneDecimal(23.05f) << u"23.1"_s;
    QTest::newRow("one decimal double") << FormatOneDecimal(23.049999) << u"23.0"_s;
    QTest::newRow("one decimal double residue") << FormatOneDecimal(0.15 + 0.1 - 0.1) << u"0.2"_s;
    QTest::newRow("percent sign") << FormatPercentSign(22.5f) << u"22.5%"_s;
    QTest::newRow("percent sign rounds") << FormatPercentSign(22.45f) << u"22.5%"_s;
    QTest::newRow("percent of fraction") << FormatPercentOf(0.123f) << u"12.3%"_s;
    QTest::newRow("percent of fraction half") << FormatPercentOf(0.1235f) << u"12.4%"_s;
    QTest::newRow("percent of negative fraction") << FormatPercentOf(-0.0004f) << u"0.0%"_s;
    QTest::newRow("percent of negative") << FormatPercentOf(-0.05f) << u"-5.0%"_s;
    QTest::newRow("two digits one decimal") << FormatTwoDigitOneDecimal(5.25f) << u"05.3"_s;
    QTest::newRow("two digits already") << FormatTwoDigitOneDecimal(23.0f) << u"23.0"_s;
    QTest::newRow("three digits") << FormatTwoDigitOneDecimal(123.44f) << u"123.4"_s;
    QTest::newRow("two digits zero") << FormatTwoDigitOneDecimal(0.0f) << u"00.0"_s;
    QTest::newRow("grams") << FormatGrams(12.5) << u"13g"_s;
    QTest::newRow("grams negative half") << FormatGrams(-12.5) << u"-13g"_s;
    QTest::newRow("grams tiny negative") << FormatGrams(-0.4) << u"0g"_s;
    QTest::newRow("grams of a kg difference") << FormatGrams((65.4 - 65.3) * 1000) << u"100g"_s;
}

void NumbersTest::displayFormats()
{
    QFETCH(QString, shown);
    QFETCH(QString, expected);
    QCOMPARE(shown, expected);
}

void NumbersTest::dates()
{
    QCOMPARE(FormatShortDate(u"2004/03/28"), u"04/03/28"_s);
    QCOMPARE(FormatYearMonth(2004, 3), u"2004年03月"_s);
    QCOMPARE(FormatYearMonth(2010, 12), u"2010年12月"_s);
}

void NumbersTest::changeMark_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<int>("colour"); // 0 red, 1 yellow, 2 green
    QTest::newRow("gain") << u"0.3Kg"_s << u"↑"_s << 0;
    QTest::newRow("rounded to zero") << u"0.0Kg"_s << u"→"_s << 1;
    QTest::newRow("loss") << u"-0.1Kg"_s << u"↓"_s << 2;
    QTest::newRow("no number") << QString() << u"→"_s << 1;
    QTest::newRow("percent gain") << u"1.5%"_s << u"↑"_s << 0;
}

void NumbersTest::changeMark()
{
    QFETCH(QString, shown);
    QFETCH(QString, mark);
    QFETCH(int, colour);
    const Rgb colours[] = {Colors::PaleRed, Colors::PaleYellow, Colors::PaleGreen};
    const ChangeMark result = ChangeMarkOf(shown);
    QCOMPARE(result.mark, mark);
    QCOMPARE(result.background, colours[colour]);
}

QTEST_GUILESS_MAIN(NumbersTest)
#include "tst_numbers.moc"
