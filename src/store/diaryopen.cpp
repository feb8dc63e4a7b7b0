#include "store/diaryopen.h"

#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "store/textfiles.h"

#include <QFile>
#include <QFileInfo>

// The sample files are compiled into the static core library; their
// registration has to be pulled in by name, or the linker drops it.
static void initSampleResources()
{
    Q_INIT_RESOURCE(sample);
}

namespace zz {

namespace {

struct SampleFile
{
    const char *resource;
    const QString &name;
};

const SampleFile SampleFiles[] = {
    {"measurements.txt", FileNames::Measurements},
    {"personal.txt", FileNames::PersonalData},
    {"statuslist.txt", FileNames::StatusList},
    {"memo.txt", FileNames::NoticeMemo},
    {"helptour.txt", FileNames::HelpTour},
    {"increments.txt", FileNames::Increments},
    {"movingaverage.txt", FileNames::MovingAverage},
    {"autotime.txt", FileNames::AutoTime},
    {"marker.txt", FileNames::Marker},
};

bool exists(const QString &dir, const QString &name)
{
    return QFileInfo::exists(ResolveDiaryFile(dir, name));
}

QByteArray sampleBytes(const char *resource)
{
    initSampleResources();
    QFile file(QStringLiteral(":/sample/") + QLatin1StringView(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Every file of the diary besides the measurements and the personal data,
// with the reader that checks it and the writer of its natural first state.
struct SmallFile
{
    const QString &name;
    StoreStatus (*check)(const QString &dir);
    StoreStatus (*create)(const QString &dir);
};

const SmallFile SmallFiles[] = {
    {FileNames::StatusList,
     [](const QString &dir) {
         QStringList statuses;
         return ReadStatusList(dir, statuses);
     },
     [](const QString &dir) { return WriteStatusListPlain(dir, {}); }},
    {FileNames::NoticeMemo,
     [](const QString &dir) {
         QString memo;
         return ReadNoticeMemo(dir, memo);
     },
     [](const QString &dir) { return WriteNoticeMemo(dir, QString()); }},
    {FileNames::Marker,
     [](const QString &dir) {
         int mode = 0;
         return ReadMarkerSetting(dir, mode);
     },
     [](const QString &dir) { return WriteMarkerSetting(dir, 0); }},
    {FileNames::HelpTour,
     [](const QString &dir) {
         int on = 0;
         return ReadHelpTourSetting(dir, on);
     },
     [](const QString &dir) { return WriteHelpTourSetting(dir, 1); }},
    {FileNames::Increments,
     [](const QString &dir) {
         QString weight, fat;
         return ReadIncrements(dir, weight, fat);
     },
     [](const QString &dir) { return WriteIncrements(dir, QStringLiteral("0.1"), QStringLiteral("0.1")); }},
    {FileNames::MovingAverage,
     [](const QString &dir) {
         QString width;
         return ReadMovingAverageWidth(dir, width);
     },
     [](const QString &dir) { return WriteMovingAverageWidth(dir, QStringLiteral("10")); }},
    {FileNames::AutoTime,
     [](const QString &dir) {
         int on = 0;
         return ReadAutoTime(dir, on);
     },
     [](const QString &dir) { return WriteAutoTime(dir, 0); }},
};

} // namespace

QString SampleUserName()
{
    return QStringLiteral("ズマ子");
}

QString SampleStartDate()
{
    return QStringLiteral("2004/03/14");
}

QDate SampleShownDate()
{
    return QDate(2004, 3, 28);
}

bool IsSampleDiary(const PersonalData &personal, const QString &firstRecordDate)
{
    return firstRecordDate == SampleStartDate() && personal.userName == SampleUserName() &&
           personal.heightCm == SampleHeightCm && personal.targetWeight == SampleTargetWeight;
}

DiaryOpenResult InstallSampleIfNoDiary(const QString &dir)
{
    DiaryOpenResult result;
    if (exists(dir, FileNames::Measurements) || exists(dir, FileNames::PersonalData))
        return result;
    // A file the user already has (a settings file, say) is kept.
    for (const SampleFile &file : SampleFiles) {
        if (exists(dir, file.name))
            continue;
        const QByteArray bytes = sampleBytes(file.resource);
        if (bytes.isEmpty()) {
            result.status =
                StoreStatus::failure(file.name, QStringLiteral("プログラムに同梱のサンプルが見つかりません"));
            return result;
        }
        result.status = WriteDiaryFile(dir, file.name, bytes);
        if (!result.status)
            return result;
    }
    result.sampleInstalled = true;
    return result;
}

DiaryOpenResult OpenDiary(const QString &dir)
{
    DiaryOpenResult result = InstallSampleIfNoDiary(dir);
    if (!result.status)
        return result;

    // Everything is checked before anything is written, so a diary that cannot
    // be opened is left exactly as it was found.
    const bool haveMeasurements = exists(dir, FileNames::Measurements);
    const bool havePersonal = exists(dir, FileNames::PersonalData);
    if (!haveMeasurements || !havePersonal) {
        const QString &missing = haveMeasurements ? FileNames::PersonalData : FileNames::Measurements;
        const QString &present = haveMeasurements ? FileNames::Measurements : FileNames::PersonalData;
        result.status = StoreStatus::failure(
            missing, QStringLiteral("ファイルがありません (%1 はあります)").arg(present));
        return result;
    }
    MeasurementFileCheck check;
    result.status = CheckMeasurementFile(dir, check);
    if (!result.status)
        return result;
    PersonalData personal;
    result.status = ReadPersonalData(dir, personal);
    if (!result.status)
        return result;
    for (const SmallFile &file : SmallFiles) {
        if (!exists(dir, file.name))
            continue;
        result.status = file.check(dir);
        if (!result.status)
            return result;
    }

    for (const SmallFile &file : SmallFiles) {
        if (exists(dir, file.name))
            continue;
        result.status = file.create(dir);
        if (!result.status)
            return result;
    }

    if (check.tornLineOffset >= 0) {
        // An interrupted append: the incomplete line is kept aside, not lost,
        // and the file is cut back to its last whole record.
        const QString dataPath = ResolveDiaryFile(dir, FileNames::Measurements);
        const QString sidePath = ResolveDiaryFile(dir, FileNames::MeasurementsTornLines);
        result.status = AppendToFile(sidePath, QByteArray(check.tornLine + "\r\n"), AppendMode::OnNewLine);
        if (!result.status)
            return result;
        result.status = TruncateFile(dataPath, check.tornLineOffset);
        if (!result.status)
            return result;
        result.notice = QStringLiteral("%1 の最後の行 (%2 行目) が途中で切れていたため、"
                                       "その行を %3 に移しました。")
                            .arg(ShownName(dataPath))
                            .arg(check.tornLineNumber)
                            .arg(ShownName(sidePath));
    }
    return result;
}

} // namespace zz
