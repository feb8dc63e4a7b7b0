#include "store/diaryopen.h"

#include "store/diaryfiles.h"
#include "store/measurementfile.h"
#include "store/safefile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "store/textfiles.h"

#include "base/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

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

// The measurements go last: until they are there, the folder holds no diary
// and the next start installs the sample again.
const SampleFile SampleFiles[] = {
    {"personal.txt", FileNames::PersonalData},     {"statuslist.txt", FileNames::StatusList},
    {"memo.txt", FileNames::NoticeMemo},           {"helptour.txt", FileNames::HelpTour},
    {"increments.txt", FileNames::Increments},     {"movingaverage.txt", FileNames::MovingAverage},
    {"autotime.txt", FileNames::AutoTime},         {"marker.txt", FileNames::Marker},
    {"measurements.txt", FileNames::Measurements},
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

// Copies that a rewrite killed half-way leaves beside the real files.
void removeLeftoverCopies(const QString &dir)
{
    QDir folder(dir);
    for (const QString &name : {FileNames::MeasurementsInsertTemp, FileNames::MeasurementsRenameTemp,
                                FileNames::StatusListRenameTemp}) {
        const QString path = ResolveDiaryFile(dir, name);
        if (QFileInfo(path).isFile())
            QFile::remove(path);
    }
    const QStringList leftovers =
        folder.entryList({QStringLiteral("*.tmp"), QStringLiteral("*.restore")}, QDir::Files | QDir::Hidden);
    for (const QString &name : leftovers)
        folder.remove(name);
}

} // namespace

QStringList FilesSavedAsUtf8(const QString &dir)
{
    QStringList found;
    for (const QString &name :
         {FileNames::Measurements, FileNames::PersonalData, FileNames::StatusList, FileNames::NoticeMemo}) {
        const QString path = ResolveDiaryFile(dir, name);
        QByteArray bytes;
        if (!QFileInfo(path).isFile() || !ReadWholeFile(path, bytes))
            continue;
        if (LooksLikeUtf8(bytes))
            found.append(ShownName(path));
    }
    return found;
}

bool LooksLikeUtf8(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    bool nonAscii = false;
    for (char c : bytes)
        if (uchar(c) >= 0x80) {
            nonAscii = true;
            break;
        }
    if (!nonAscii)
        return false;
    // Decoded a piece at a time, each ending before a character's first byte,
    // so that a file of another code (the usual case) is told by its first
    // piece, and no text of the whole file is ever made.
    constexpr qsizetype Piece = 64 * 1024;
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype end = std::min(bytes.size(), at + Piece);
        while (end < bytes.size() && end > at && (uchar(bytes[end]) & 0xC0) == 0x80)
            --end; // not inside a character
        if (end == at)
            end = std::min(bytes.size(), at + Piece);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes.sliced(at, end - at));
        if (decoder.hasError())
            return false;
        at = end;
    }
    return true;
}

StoreStatus ConvertUtf8File(const QString &dir, const QString &name, const QDateTime &now)
{
    const QString path = ResolveDiaryFile(dir, name);
    QByteArray bytes;
    if (StoreStatus status = ReadWholeFile(path, bytes); !status)
        return status;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString backup = name.left(dot) + QStringLiteral("_UTF8_") +
                           now.toString(QStringLiteral("yyyyMMdd-HHmmss")) + name.mid(dot);
    const QString backupPath = QDir(dir).filePath(backup);
    if (StoreStatus status = ReplaceFile(backupPath, backupPath + QStringLiteral(".tmp"), bytes); !status)
        return status;
    QByteArrayView body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);
    const QString text = QString::fromUtf8(body);
    QByteArray converted;
    if (!EncodeCp932(text, converted))
        return StoreStatus::failure(ShownName(path),
                                    QStringLiteral("コードページ 932 にない文字があるため変換できません"));
    return ReplaceFile(path, path + QStringLiteral(".tmp"), converted);
}

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

bool IsHalfInstalledSample(const QString &dir)
{
    if (exists(dir, FileNames::Measurements) || !exists(dir, FileNames::PersonalData))
        return false;
    QByteArray personal;
    return ReadWholeFile(ResolveDiaryFile(dir, FileNames::PersonalData), personal) &&
           personal == sampleBytes("personal.txt");
}

DiaryOpenResult InstallSampleIfNoDiary(const QString &dir)
{
    DiaryOpenResult result;
    // A start killed while it installed the sample left its personal data
    // without measurements: the install goes on.
    if ((exists(dir, FileNames::Measurements) || exists(dir, FileNames::PersonalData)) &&
        !IsHalfInstalledSample(dir))
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
    // The files are whole now: what a killed rewrite left beside them goes.
    removeLeftoverCopies(dir);
    return result;
}

} // namespace zz
