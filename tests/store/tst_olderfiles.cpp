// The data files of earlier editions: recognition by the number of fields,
// conversion byte for byte, backups that never overwrite, and a folder that
// holds a whole diary whatever step of a conversion fails.

#include "store/measurementfile.h"
#include "store/olderfiles.h"
#include "store/safefile.h"
#include "storetestutil.h"
#include "testrecord.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zz;
using namespace Qt::StringLiterals;
using testing::FailPoint;

Q_DECLARE_METATYPE(zz::testing::FailPoint)

namespace {

QByteArray Golden(const QString &name)
{
    QFile file(QStringLiteral(ZZ_TEST_DATA_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing golden file");
    return file.readAll();
}

TypedValues Typed()
{
    TypedValues t;
    t.bodyFat = 25;
    t.basalMetabolism = 1350; // 1350.5 typed, halves to even
    t.visceralFat = 9;
    t.muscleMass = 45.2f;
    t.muscleScore = 95;
    t.boneMass = 2.8f;
    return t;
}

} // namespace

class TestOlderFiles : public QObject
{
    Q_OBJECT

private slots:
    void convertsEachLayout_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("weightOnly");
        QTest::addColumn<OlderLayout>("layout");
        QTest::newRow("weight-only") << u"weightonly_in.txt"_s << u"weightonly_out.txt"_s << true
                                     << OlderLayout::WeightOnly;
        QTest::newRow("first edition")
            << u"edition1_in.txt"_s << u"edition1_out.txt"_s << false << OlderLayout::FirstEdition;
        QTest::newRow("second edition")
            << u"edition2_in.txt"_s << u"edition2_out.txt"_s << false << OlderLayout::SecondEdition;
    }
    void convertsEachLayout()
    {
        QFETCH(QString, input);
        QFETCH(bool, weightOnly);
        QTemporaryDir dir;
        const QByteArray source = Golden(input);
        const QByteArray sample =
            storetest::line("\"2004/03/14\",\"サンプル\",72.3,28.3,1349,9,49,96,2.8,\"\",\"\"");
        storetest::writeBytes(dir.path(), weightOnly ? u"連続体重.txt"_s : u"データ.txt"_s, source);
        if (weightOnly)
            storetest::writeBytes(dir.path(), u"データ.txt"_s, sample);
        OlderFile file;
        bool found = false;
        QVERIFY((weightOnly ? ReadWeightOnlyFile(dir.path(), file, found)
                            : ReadEditionFile(dir.path(), file, found))
                    .ok);
        QVERIFY(found);
        QTEST(file.layout, "layout");
        const QList<MeasurementRecord> records = ConvertOlderRecords(file, Typed());
        QVERIFY((weightOnly ? WriteWeightOnlyImport(dir.path(), records)
                            : WriteEditionImport(dir.path(), records))
                    .ok);
        QFETCH(QString, output);
        QCOMPARE(storetest::readBytes(dir.path(), u"データ.txt"_s), Golden(output));
        // The replaced files are kept; the intermediate is gone.
        QCOMPARE(storetest::readBytes(dir.path(), u"データbak.txt"_s), weightOnly ? sample : source);
        if (weightOnly) {
            QVERIFY(!storetest::exists(dir.path(), u"連続体重.txt"_s));
            QCOMPARE(storetest::readBytes(dir.path(), u"連続体重bak.txt"_s), source);
        }
        QVERIFY(!storetest::exists(dir.path(), u"データ1.txt"_s));
    }

    void currentDiariesAreLeftAlone()
    {
        QTemporaryDir dir;
        // A start record holding 0 as basal metabolism and muscle mass.
        QVERIFY(
            RewriteMeasurements(dir.path(), {TestRecord(u"2004/03/14"_s, u"朝"_s, 72.3f, 0, 0, 0, 0, 0, 0)})
                .ok);
        OlderFile file;
        bool found = true;
        QVERIFY(ReadEditionFile(dir.path(), file, found).ok);
        QVERIFY(!found);
        QVERIFY(ReadWeightOnlyFile(dir.path(), file, found).ok);
        QVERIFY(!found);
    }

    void malformedFilesNameTheLine()
    {
        QTemporaryDir dir;
        storetest::writeBytes(dir.path(), u"連続体重.txt"_s,
                              storetest::line("\"2004/03/14\",\"朝\",72.3") +
                                  storetest::line("\"2004/03/15\",72"));
        OlderFile file;
        bool found = false;
        const StoreStatus status = ReadWeightOnlyFile(dir.path(), file, found);
        QVERIFY(!status.ok);
        QVERIFY(status.userText().contains(u"2"_s));
        storetest::writeBytes(dir.path(), u"連続体重.txt"_s, storetest::line("\"2004/3/14\",\"朝\",72.3"));
        QVERIFY(!ReadWeightOnlyFile(dir.path(), file, found).ok);
    }

    void backupsNeverOverwrite()
    {
        QTemporaryDir dir;
        storetest::writeBytes(dir.path(), u"データbak.txt"_s, "first");
        storetest::writeBytes(dir.path(), u"データbak(2).txt"_s, "second");
        QCOMPARE(FreeBackupName(dir.path(), u"データbak.txt"_s), u"データbak(3).txt"_s);
        QCOMPARE(FreeBackupName(dir.path(), u"連続体重bak.txt"_s), u"連続体重bak.txt"_s);
    }

    // A failure at each write, sync and rename of a conversion, one run each:
    // the diary is then the old one or the converted one, whole, and the
    // source of an unfinished weight-only import is still there.
    void interruptedConversions_data()
    {
        QTest::addColumn<bool>("weightOnly");
        QTest::addColumn<FailPoint>("point");
        QTest::addColumn<int>("passFirst");
        for (const bool weightOnly : {true, false})
            for (const FailPoint point : {FailPoint::Write, FailPoint::Sync, FailPoint::Rename})
                for (int pass = 0; pass < (weightOnly ? 3 : 2); ++pass)
                    QTest::addRow("%s, step %d, pass %d", weightOnly ? "weight-only" : "edition", int(point),
                                  pass)
                        << weightOnly << point << pass;
    }
    void interruptedConversions()
    {
        QFETCH(bool, weightOnly);
        QFETCH(FailPoint, point);
        QFETCH(int, passFirst);
        QTemporaryDir dir;
        const QByteArray source = Golden(weightOnly ? u"weightonly_in.txt"_s : u"edition1_in.txt"_s);
        const QByteArray old =
            weightOnly ? storetest::line("\"2004/03/14\",\"朝\",72.3,28.3,1349,9,49,96,2.8,\"\",\"\"")
                       : source;
        storetest::writeBytes(dir.path(), u"データ.txt"_s, old);
        if (weightOnly)
            storetest::writeBytes(dir.path(), u"連続体重.txt"_s, source);
        OlderFile file;
        bool found = false;
        QVERIFY((weightOnly ? ReadWeightOnlyFile(dir.path(), file, found)
                            : ReadEditionFile(dir.path(), file, found))
                    .ok);
        const QList<MeasurementRecord> records = ConvertOlderRecords(file, Typed());
        testing::SetWriteFailure(point, EIO, 0, passFirst);
        const StoreStatus status =
            weightOnly ? WriteWeightOnlyImport(dir.path(), records) : WriteEditionImport(dir.path(), records);
        testing::ClearWriteFailure();
        QVERIFY(!status.ok);
        const QByteArray now = storetest::readBytes(dir.path(), u"データ.txt"_s);
        const QByteArray converted = Golden(weightOnly ? u"weightonly_out.txt"_s : u"edition1_out.txt"_s);
        QVERIFY2(now == old || now == converted, now.constData());
        if (weightOnly)
            QCOMPARE(storetest::readBytes(dir.path(), u"連続体重.txt"_s), source);
        QVERIFY(!storetest::exists(dir.path(), u"データ1.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestOlderFiles)
#include "tst_olderfiles.moc"
