#include "store/settingsfiles.h"

#include "store/cp932.h"
#include "store/diaryfiles.h"
#include "store/fieldreader.h"
#include "store/numbers.h"
#include "store/textfiles.h"

#include <QFileInfo>

namespace zz {

namespace {

QString shownName(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString nameIn(const QString &dir, const QString &name)
{
    return shownName(ResolveDiaryFile(dir, name));
}

// The first `count` lines of a settings file, decoded.
StoreStatus readLines(const QString &dir, const QString &fileName, int count, QStringList &lines,
                      QString &shown)
{
    QByteArray bytes;
    QString path;
    if (StoreStatus status = ReadDiaryFile(dir, fileName, bytes, &path); !status)
        return status;
    shown = shownName(path);
    const QList<QByteArrayView> raw = SplitLines(bytes);
    if (raw.size() < count)
        return StoreStatus::failure(shown, QStringLiteral("%1 行目がありません").arg(raw.size() + 1),
                                    raw.size() + 1);
    lines.clear();
    for (int i = 0; i < count; ++i) {
        QString text;
        if (StoreStatus status = DecodeLine(raw.at(i), shown, i + 1, text); !status)
            return status;
        lines.append(text);
    }
    return StoreStatus::success();
}

// A plain line as the user typed it; it must fit on one line in code page 932.
StoreStatus encodeLine(const QString &text, const QString &fileName, const QString &what,
                       QByteArray &bytes)
{
    for (QChar c : text)
        if (c == u'\r' || c == u'\n')
            return StoreStatus::failure(fileName, QStringLiteral("%1に保存できない文字「改行」があります").arg(what));
    QString bad;
    if (!EncodeCp932(text, bytes, &bad))
        return StoreStatus::failure(fileName,
                                    QStringLiteral("%1に保存できない文字「%2」があります").arg(what, bad));
    bytes += "\r\n";
    return StoreStatus::success();
}

std::optional<int> wholeNumber(const QString &text)
{
    const std::optional<double> value = WholeNumber(text);
    if (!value)
        return std::nullopt;
    const std::optional<qint16> rounded = RoundToInt16(*value);
    if (!rounded)
        return std::nullopt;
    return *rounded;
}

} // namespace

StoreStatus ReadHelpTourSetting(const QString &dir, int &helpTourOn)
{
    QByteArray bytes;
    QString path;
    if (StoreStatus status = ReadDiaryFile(dir, FileNames::HelpTour, bytes, &path); !status)
        return status;
    const QString shown = shownName(path);
    const QList<QByteArrayView> lines = SplitLines(bytes);
    if (lines.isEmpty())
        return StoreStatus::failure(shown, QStringLiteral("ヘルプツアーの設定がありません"));
    FieldReader reader(lines.first());
    QByteArrayView label, value;
    if (!reader.next(label) || !reader.next(value)) {
        const QString fault = reader.fault().isEmpty()
                                  ? QStringLiteral("見出しと値の 2 項目がありません")
                                  : reader.fault();
        return StoreStatus::failure(shown, fault, 1);
    }
    const QString text = QString::fromLatin1(value);
    const std::optional<int> number = wholeNumber(text);
    if (!number)
        return StoreStatus::failure(shown, QStringLiteral("ヘルプツアーの設定「%1」が整数ではありません").arg(text), 1);
    helpTourOn = *number;
    return StoreStatus::success();
}

StoreStatus WriteHelpTourSetting(const QString &dir, int helpTourOn)
{
    QByteArray label;
    EncodeCp932(QStringLiteral("ヘルプツアー"), label);
    return WriteDiaryFile(dir, FileNames::HelpTour,
                          '"' + label + "\"," + QByteArray::number(helpTourOn) + "\r\n");
}

StoreStatus ReadIncrements(const QString &dir, QString &weightIncrement, QString &fatIncrement)
{
    QStringList lines;
    QString shown;
    if (StoreStatus status = readLines(dir, FileNames::Increments, 2, lines, shown); !status)
        return status;
    weightIncrement = lines.at(0);
    fatIncrement = lines.at(1);
    return StoreStatus::success();
}

StoreStatus WriteIncrements(const QString &dir, const QString &weightIncrement,
                            const QString &fatIncrement)
{
    const QString shown = nameIn(dir, FileNames::Increments);
    QByteArray weight, fat;
    if (StoreStatus status = encodeLine(weightIncrement, shown, QStringLiteral("体重の刻み"), weight); !status)
        return status;
    if (StoreStatus status = encodeLine(fatIncrement, shown, QStringLiteral("体脂肪率の刻み"), fat); !status)
        return status;
    return WriteDiaryFile(dir, FileNames::Increments, weight + fat);
}

StoreStatus ReadMovingAverageWidth(const QString &dir, QString &widthText)
{
    QStringList lines;
    QString shown;
    if (StoreStatus status = readLines(dir, FileNames::MovingAverage, 1, lines, shown); !status)
        return status;
    widthText = lines.at(0);
    return StoreStatus::success();
}

StoreStatus WriteMovingAverageWidth(const QString &dir, const QString &widthText)
{
    const QString shown = nameIn(dir, FileNames::MovingAverage);
    QByteArray bytes;
    if (StoreStatus status = encodeLine(widthText, shown, QStringLiteral("移動平均の幅"), bytes); !status)
        return status;
    return WriteDiaryFile(dir, FileNames::MovingAverage, bytes);
}

StoreStatus ReadAutoTime(const QString &dir, int &autoTimeOn)
{
    QStringList lines;
    QString shown;
    if (StoreStatus status = readLines(dir, FileNames::AutoTime, 1, lines, shown); !status)
        return status;
    const std::optional<int> number = wholeNumber(lines.at(0));
    if (!number)
        return StoreStatus::failure(shown, QStringLiteral("自動時間の設定「%1」が整数ではありません").arg(lines.at(0)), 1);
    autoTimeOn = *number;
    return StoreStatus::success();
}

StoreStatus WriteAutoTime(const QString &dir, int autoTimeOn)
{
    // Print form: a blank stands where a minus sign would.
    const QByteArray text = autoTimeOn < 0 ? QByteArray::number(autoTimeOn)
                                           : ' ' + QByteArray::number(autoTimeOn);
    return WriteDiaryFile(dir, FileNames::AutoTime, text + "\r\n");
}

} // namespace zz
