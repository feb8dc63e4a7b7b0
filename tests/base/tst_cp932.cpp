#include "base/cp932.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace zz;

class Cp932Test : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void lookAlikes_data();
    void lookAlikes();
    void refused_data();
    void refused();
    void badBytes_data();
    void badBytes();
};

void Cp932Test::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("full-width tilde") << u"～"_s << QByteArray("\x81\x60");
    QTest::newRow("full-width minus") << u"－"_s << QByteArray("\x81\x7C");
    QTest::newRow("circled one (NEC row 13)") << u"①"_s << QByteArray("\x87\x40");
    QTest::newRow("parenthesised kabushiki") << u"㈱"_s << QByteArray("\x87\x8A");
    QTest::newRow("ladder taka (IBM extension)") << u"髙"_s << QByteArray("\xFB\xFC");
    QTest::newRow("so: trail byte is a backslash") << u"ソ"_s << QByteArray("\x83\x5C");
    QTest::newRow("hyou: trail byte is a backslash") << u"表"_s << QByteArray("\x95\x5C");
    QTest::newRow("half-width katakana") << u"ﾌﾟﾗｲﾍﾞｰﾄ"_s << QByteArray("\xCC\xDF\xD7\xB2\xCD\xDE\xB0\xC4");
    QTest::newRow("ascii with comma") << u"朝, 食後"_s << QByteArray("\x92\xA9, \x90\x48\x8C\xE3");
    QTest::newRow("empty") << QString() << QByteArray();
}

void Cp932Test::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QByteArray encoded;
    QVERIFY(EncodeCp932(text, encoded));
    QCOMPARE(encoded, bytes);
    QString decoded;
    QVERIFY(DecodeCp932(encoded, decoded));
    QCOMPARE(decoded, text);
    QCOMPARE(FirstUnstorableCharacter(text), QString());
}

void Cp932Test::lookAlikes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("wave dash") << u"\u301C"_s << u"\uFF5E"_s;
    QTest::newRow("minus sign") << u"\u2212"_s << u"\uFF0D"_s;
    QTest::newRow("double vertical line") << u"\u2016"_s << u"\u2225"_s;
    QTest::newRow("em dash") << u"\u2014"_s << u"\u2015"_s;
    QTest::newRow("cent") << u"\u00A2"_s << u"\uFFE0"_s;
    QTest::newRow("pound") << u"\u00A3"_s << u"\uFFE1"_s;
    QTest::newRow("not sign") << u"\u00AC"_s << u"\uFFE2"_s;
    QTest::newRow("within a text") << u"朝\u301C昼"_s << u"朝\uFF5E昼"_s;
}

void Cp932Test::lookAlikes()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(MapLookAlikes(typed), stored);
    QCOMPARE(FirstUnstorableCharacter(typed), QString());
    QByteArray encoded, twin;
    QVERIFY(EncodeCp932(typed, encoded));
    QVERIFY(EncodeCp932(stored, twin));
    QCOMPARE(encoded, twin);
    QString decoded;
    QVERIFY(DecodeCp932(encoded, decoded));
    QCOMPARE(decoded, stored);
}

void Cp932Test::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("tsuchi-yoshi outside the BMP") << u"𠮷野家"_s << u"𠮷"_s;
    QTest::newRow("emoji") << u"朝😀"_s << u"😀"_s;
    QTest::newRow("hangul") << u"아침"_s << u"아"_s;
    QTest::newRow("yen sign") << u"100¥"_s << u"¥"_s;
}

void Cp932Test::refused()
{
    QFETCH(QString, text);
    QFETCH(QString, named);
    QByteArray out("untouched");
    QString bad;
    QVERIFY(!EncodeCp932(text, out, &bad));
    QCOMPARE(bad, named);
    QCOMPARE(out, QByteArray("untouched"));
    QCOMPARE(FirstUnstorableCharacter(text), named);
    // A converter that failed once still works for the next text.
    QVERIFY(EncodeCp932(u"表"_s, out));
    QCOMPARE(out, QByteArray("\x95\x5C"));
}

void Cp932Test::badBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lead byte at the end") << QByteArray("abc\x82");
    QTest::newRow("lead byte before a blank") << QByteArray("\x81\x20x");
    QTest::newRow("undefined single byte") << QByteArray("a\xFF");
    QTest::newRow("unassigned row") << QByteArray("\x85\x40");
}

void Cp932Test::badBytes()
{
    QFETCH(QByteArray, bytes);
    QString out(u"untouched"_s);
    QVERIFY(!DecodeCp932(bytes, out));
    QCOMPARE(out, u"untouched"_s);
    QString next;
    QVERIFY(DecodeCp932(QByteArray("\x95\x5C"), next));
    QCOMPARE(next, u"表"_s);
}

QTEST_GUILESS_MAIN(Cp932Test)
#include "tst_cp932.moc"
