#include "notes/diarylist.h"
#include "tablecells.h"
#include "testrecord.h"

#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;

class TestDiaryList : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndMarks()
    {
        const QList<TableRow> rows = ComputeDiaryRows(
            {TestRecord(u"2004/03/14"_s, u"朝"_s, 65.0f, 22.5f, 1350, 8, 45.2f, 95, 2.8f, u"はじめ"_s),
             TestRecord(u"2004/03/14"_s, u"夜"_s, 65.0f), TestRecord(u"2004/03/15"_s, u"朝"_s, 64.96f),
             TestRecord(u"2004/03/16"_s, u"朝"_s, 65.25f)});
        QCOMPARE(rows[0].cells,
                 (QStringList{u"1"_s, u"2004/03/14"_s, u"朝"_s, u"65"_s, u"0.0"_s, u"→"_s, u"22.5"_s,
                              u"はじめ"_s, u"1350"_s, u"8"_s, u"45.2"_s, u"95"_s, u"2.8"_s}));
        QCOMPARE(rows[1].backgrounds.value(5), Colors::PaleYellow);
        // The mark follows the unrounded change; the text is rounded.
        QCOMPARE(rows[2].cells.mid(3, 3), (QStringList{u"64.96"_s, u"0.0"_s, u"↓"_s}));
        QCOMPARE(rows[2].backgrounds.value(5), Colors::PaleGreen);
        QCOMPARE(rows[3].cells.mid(4, 2), (QStringList{u"0.3"_s, u"↑"_s}));
        QCOMPARE(rows[3].backgrounds.value(5), Colors::PaleRed);
        QCOMPARE(DiaryListHeaders().size(), 13);
        QCOMPARE(DiaryListWidths().mid(8), (QList<int>{0, 0, 0, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestDiaryList)
#include "tst_diarylist.moc"
