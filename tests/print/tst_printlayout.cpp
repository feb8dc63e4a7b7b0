#include "print/printlayout.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

// A monospaced font of 100 twips a character, zones 1400 apart, 200-twip lines.
PrintMetrics Metrics(double pageHeight = 10000)
{
    PrintMetrics m;
    m.zoneWidth = 1400;
    m.lineHeight = 200;
    m.pageWidth = 11000;
    m.pageHeight = pageHeight;
    m.textWidth = [](const QString &text) { return 100.0 * text.size(); };
    return m;
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void dailyAverages()
    {
        const PrintPages out = LayOutPrintout(
            DailyAverageHeader(),
            DailyAverageLines({{u"1"_s, u"04/03/14"_s, u"65.5"_s}, {u"2"_s, u"04/03/15"_s, QString()}}), 0,
            Metrics());
        QCOMPARE(out.pages.size(), 1);
        const QList<PlacedText> expected{{9000, 0, u"　日付け    　  体重"_s},
                                         {9000, 200, QString(19, u'-')},
                                         {9000, 400, u"04/03/14"_s},
                                         // 9000 + 8 characters ends on the zone at 9800: the next is 11200.
                                         {11200, 400, u"65.5"_s},
                                         {9000, 600, u"04/03/15"_s}}; // an empty average prints nothing
        QCOMPARE(out.pages[0], expected);
        QCOMPARE(out.widest, 11600.0);
    }

    void filteredLists_data()
    {
        QTest::addColumn<bool>("composition");
        QTest::addColumn<int>("values");
        QTest::addColumn<int>("rule");
        QTest::newRow("weight list") << false << 4 << 68;
        QTest::newRow("composition list") << true << 7 << 101;
    }
    void filteredLists()
    {
        QFETCH(bool, composition);
        const QStringList row{u"1"_s, u"26/12/07"_s, u"月"_s, u"朝"_s, u"65.0Kg"_s, u"a"_s,
                              u"b"_s, u"c"_s,        u"d"_s,  u"e"_s,  u"f"_s,      u"g"_s};
        const PrintPages out = LayOutPrintout(FilteredHeader(composition), FilteredLines({row}, composition),
                                              FilteredListY, Metrics());
        const QList<PlacedText> &page = out.pages[0];
        QTEST(int(page[1].text.size()), "rule");
        QCOMPARE(page[1].y, FilteredListY + 200);
        // The date and status joined, then the values from the zone after 3000.
        QCOMPARE(page[2], (PlacedText{0, 5400, u"26/12/07　　朝"_s}));
        QCOMPARE(page[3], (PlacedText{4200, 5400, u"65.0Kg"_s}));
        QFETCH(int, values);
        QCOMPARE(page.size(), 2 + 1 + values);
        QCOMPARE(page.last().x, 4200.0 + 1400 * (values - 1));
    }

    void longStatusPushesTheValuesRight()
    {
        const QStringList row{
            u"1"_s,    u"26/12/07"_s, u"月"_s, QString(30, u'朝'), u"65.0Kg"_s, {}, {}, {}, {},
            u"25.4"_s, u"1%"_s,       u"22%"_s};
        const PrintPages out = LayOutPrintout({}, FilteredLines({row}, false), 0, Metrics());
        // The lead ends at 4000; the values start at the next zone, 4200.
        QCOMPARE(out.pages[0][1].x, 4200.0);
    }

    void pagesRepeatTheHeader()
    {
        QList<QStringList> rows;
        for (int i = 1; i <= 30; ++i)
            rows.append({QString::number(i), u"04/03/%1"_s.arg(i, 2, 10, QLatin1Char('0')), u"65.0"_s});
        // 2000 twips a page: ten lines; the first page has the header and 8 rows.
        const PrintPages out =
            LayOutPrintout(DailyAverageHeader(), DailyAverageLines(rows), 0, Metrics(2000));
        QCOMPARE(out.pages.size(), 4);
        QCOMPARE(out.pages[1][0], (PlacedText{9000, 0, u"　日付け    　  体重"_s}));
        QCOMPARE(out.pages[1][2], (PlacedText{9000, 400, u"04/03/09"_s}));
        int printedRows = 0;
        for (const auto &page : out.pages)
            for (const PlacedText &t : page)
                printedRows += t.text.startsWith(u"04/03/"_s);
        QCOMPARE(printedRows, 30);
    }
};

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
