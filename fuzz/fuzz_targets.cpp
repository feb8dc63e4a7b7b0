// libFuzzer targets for every reader of the diary's files. One source, one
// target per reader: ZZ_FUZZ_TARGET selects which (see CMakeLists.txt).
//
// Each input is a file's bytes; the reader must answer with a record, a value
// or a failure naming the fault, never crash, hang or run out of memory.

#include "base/cp932.h"
#include "store/csvimport.h"
#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/measurementline.h"
#include "store/olderfiles.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace zz;

namespace {

// One folder per process; the file under test is written anew for each input.
const QString &Folder()
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    return *new QString(dir.path());
}

[[maybe_unused]] void Put(const QString &name, const uint8_t *data, size_t size)
{
    static const QString dir = Folder();
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
}

[[maybe_unused]] const QString &Dir()
{
    static const QString dir = Folder();
    return dir;
}

// A successful read must give a value the writer can store again.
[[maybe_unused]] void MustRoundTrip(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
#if ZZ_FUZZ_TARGET == 1 // the measurement-line parser
    MeasurementRecord record;
    QString fault;
    if (ParseMeasurementLine(bytes, record, &fault)) {
        // What was read can be written, and what was written read and written
        // again. (Numbers are written with the 7 digits of the file format, so
        // a float of more digits need not come back bit for bit.)
        QByteArray line;
        MustRoundTrip(FormatMeasurementLine(record, line));
        MeasurementRecord again;
        MustRoundTrip(ParseMeasurementLine(QByteArrayView(line).chopped(2), again));
        MustRoundTrip(again.date == record.date && again.status == record.status &&
                      again.comment == record.comment && again.spare == record.spare);
        QByteArray second;
        MustRoundTrip(FormatMeasurementLine(again, second));
    } else if (fault.isEmpty()) {
        std::abort(); // a refusal must say why
    }
#elif ZZ_FUZZ_TARGET == 2 // the diary check at startup
    Put(FileNames::Measurements, data, size);
    MeasurementFileCheck check;
    const StoreStatus status = CheckMeasurementFile(Dir(), check);
    if (status.ok && check.tornLineOffset > qint64(size))
        std::abort();
    QList<MeasurementRecord> records;
    if (status.ok && check.tornLineOffset < 0)
        MustRoundTrip(ReadMeasurements(Dir(), records).ok && records.size() == check.recordCount);
#elif ZZ_FUZZ_TARGET == 3
    Put(FileNames::PersonalData, data, size);
    PersonalData personal;
    if (ReadPersonalData(Dir(), personal).ok && FirstUnstorableCharacter(personal.userName).isEmpty())
        MustRoundTrip(WritePersonalData(Dir(), personal).ok);
#elif ZZ_FUZZ_TARGET == 4
    Put(FileNames::StatusList, data, size);
    QStringList statuses;
    ReadStatusList(Dir(), statuses);
#elif ZZ_FUZZ_TARGET == 5
    Put(FileNames::NoticeMemo, data, size);
    QString memo;
    if (ReadNoticeMemo(Dir(), memo).ok) {
        MustRoundTrip(WriteNoticeMemo(Dir(), memo).ok);
        QString again;
        MustRoundTrip(ReadNoticeMemo(Dir(), again).ok);
    }
#elif ZZ_FUZZ_TARGET == 6
    Put(FileNames::Marker, data, size);
    int marker = 0;
    ReadMarkerSetting(Dir(), marker);
#elif ZZ_FUZZ_TARGET == 7
    Put(FileNames::HelpTour, data, size);
    int on = 0;
    ReadHelpTourSetting(Dir(), on);
#elif ZZ_FUZZ_TARGET == 8
    Put(FileNames::Increments, data, size);
    QString weight, fat;
    ReadIncrements(Dir(), weight, fat);
#elif ZZ_FUZZ_TARGET == 9
    Put(FileNames::MovingAverage, data, size);
    QString width;
    ReadMovingAverageWidth(Dir(), width);
#elif ZZ_FUZZ_TARGET == 10
    Put(FileNames::AutoTime, data, size);
    int on = 0;
    ReadAutoTime(Dir(), on);
#elif ZZ_FUZZ_TARGET == 11 // code page 932 with its checks
    QString text;
    if (DecodeCp932(bytes, text)) {
        QByteArray encoded;
        QString bad;
        // Whatever decodes must encode again, unless a character is named.
        if (!EncodeCp932(text, encoded, &bad) && bad.isEmpty())
            std::abort();
        FirstUnstorableCharacter(text);
    }
#elif ZZ_FUZZ_TARGET == 12 // the older layouts
    Put(QStringLiteral("連続体重.txt"), data, size);
    Put(FileNames::Measurements, data, size);
    OlderFile file;
    bool found = false;
    ReadWeightOnlyFile(Dir(), file, found);
    ReadEditionFile(Dir(), file, found);
#elif ZZ_FUZZ_TARGET == 13 // a CSV file to import: read, recognise and plan without a crash
    CsvTable table;
    QString fault;
    if (ReadCsv(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), table, fault)) {
        const CsvImportPlan plan = PlanCsvImport(table, RecogniseCsvColumns(table), {}, {});
        for (const CsvImportRow &row : plan.rows) {
            // Every row the preview shows can be stored as shown.
            QByteArray line;
            if (!FormatMeasurementLine(row.record(), line))
                std::abort();
        }
    }
#else
#error "ZZ_FUZZ_TARGET names no target"
#endif
    return 0;
}
