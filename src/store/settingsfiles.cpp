#include "store/settingsfiles.h"

#include "store/diaryfiles.h"
#include "store/textfiles.h"

#include <initializer_list>

namespace zz {

namespace {

// The first `count` lines of a settings file, decoded.
StoreStatus readLines(const QString &dir, const QString &fileName, qsizetype count, QStringList &lines,
                      QString &shown)
{
    TextFile file;
    if (StoreStatus status = ReadTextFile(dir, fileName, file); !status)
        return status;
    shown = file.shownName;
    const qsizetype found = file.lines.size();
    if (found < count)
        return StoreStatus::failure(shown, QStringLiteral("%1 行目がありません").arg(found + 1), found + 1);
    for (QByteArrayView &line : file.lines)
        line = line.first(qMin(line.size(), SettingLineLimit));
    return DecodeLines(file, count, lines);
}

// One line of a settings file: the text as the user gave it, and what it is.
struct PlainLine
{
    const QString &text;
    QString what;
};

// Writes the settings file `fileName` whole, one line per text.
StoreStatus writeLines(const QString &dir, const QString &fileName, std::initializer_list<PlainLine> lines)
{
    const QString shown = ShownNameIn(dir, fileName);
    QByteArray content;
    for (const PlainLine &line : lines) {
        QByteArray bytes;
        if (StoreStatus status = EncodeText(line.text, TextPlace::PlainLine, shown, line.what, bytes);
            !status)
            return status;
        content += bytes + "\r\n";
    }
    return WriteDiaryFile(dir, fileName, content);
}

} // namespace

StoreStatus ReadHelpTourSetting(const QString &dir, int &helpTourOn)
{
    const QString what = QStringLiteral("ヘルプツアー");
    TextFile file;
    QList<QByteArrayView> fields;
    // Whatever follows the label and the value is never read.
    if (StoreStatus status = ReadFirstLineFields(dir, FileNames::HelpTour, what, file, fields, 2); !status)
        return status;
    if (fields.size() < 2)
        return StoreStatus::failure(file.shownName, QStringLiteral("見出しと値の 2 項目がありません"), 1);
    QString text;
    if (StoreStatus status = DecodeLine(fields.at(1), file.shownName, 1, text); !status)
        return status;
    return ReadSettingNumber(text, file.shownName, what, helpTourOn);
}

StoreStatus WriteHelpTourSetting(const QString &dir, int helpTourOn)
{
    return WriteDiaryFile(dir, FileNames::HelpTour,
                          LabelledLine(QStringLiteral("ヘルプツアー"), QByteArray::number(helpTourOn)));
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

StoreStatus WriteIncrements(const QString &dir, const QString &weightIncrement, const QString &fatIncrement)
{
    return writeLines(
        dir, FileNames::Increments,
        {{weightIncrement, QStringLiteral("体重の刻み")}, {fatIncrement, QStringLiteral("体脂肪率の刻み")}});
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
    return writeLines(dir, FileNames::MovingAverage, {{widthText, QStringLiteral("移動平均の幅")}});
}

StoreStatus ReadAutoTime(const QString &dir, int &autoTimeOn)
{
    QStringList lines;
    QString shown;
    if (StoreStatus status = readLines(dir, FileNames::AutoTime, 1, lines, shown); !status)
        return status;
    return ReadSettingNumber(lines.at(0), shown, QStringLiteral("自動時間"), autoTimeOn);
}

StoreStatus WriteAutoTime(const QString &dir, int autoTimeOn)
{
    // Print form: a blank stands where a minus sign would.
    const QByteArray text =
        autoTimeOn < 0 ? QByteArray::number(autoTimeOn) : ' ' + QByteArray::number(autoTimeOn);
    return WriteDiaryFile(dir, FileNames::AutoTime, text + "\r\n");
}

} // namespace zz
