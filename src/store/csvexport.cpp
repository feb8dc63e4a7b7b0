#include "store/csvexport.h"

#include "base/cp932.h"
#include "store/diaryfiles.h"
#include "store/fieldreader.h"
#include "store/measurementfile.h"
#include "store/measurementline.h"
#include "store/textfiles.h"

#include <QDir>
#include <QSaveFile>

namespace zz {

namespace {

void appendCsvField(QByteArray &out, const QString &text)
{
    const bool quote =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote) {
        out.append(text.toUtf8());
        return;
    }
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    out.append('"');
    out.append(doubled.toUtf8());
    out.append('"');
}

} // namespace

StoreStatus CsvExportBytes(const QString &dir, QByteArray &bytes, qint64 &count,
                           const QList<qsizetype> *indices)
{
    QByteArray file;
    QList<QByteArrayView> lines;
    if (StoreStatus status = ReadMeasurementLines(dir, file, lines); !status)
        return status;
    QByteArray out("\xEF\xBB\xBF");
    out.reserve(file.size() + file.size() / 4 + 256);
    out.append(
        QStringLiteral("日付,状況,体重(kg),体脂肪率(%),基礎代謝量(kcal),内臓脂肪レベル,筋肉量(kg),筋肉スコア,"
                       "骨量(kg),一言日記\r\n")
            .toUtf8());
    count = 0;
    const qsizetype total = indices ? indices->size() : lines.size();
    for (qsizetype k = 0; k < total; ++k) {
        const qsizetype i = indices ? indices->at(k) : k;
        if (i < 0 || i >= lines.size())
            continue;
        QByteArrayView line = lines.at(i);
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        FieldReader reader(line);
        QByteArrayView field;
        QList<QByteArrayView> fields;
        while (reader.next(field))
            fields.append(field);
        if (fields.size() < 10)
            return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements),
                                        QStringLiteral("記録として読めません"), i + 1);
        QString date = QString::fromLatin1(fields[0]);
        date.replace(u'/', u'-');
        out.append(date.toLatin1());
        for (int f = 1; f < 10; ++f) {
            out.append(',');
            if (f == 1 || f == 9) {
                QString text;
                if (!DecodeCp932(fields[f], text))
                    return StoreStatus::failure(ShownNameIn(dir, FileNames::Measurements),
                                                QStringLiteral("コードページ 932 として読めません"), i + 1);
                appendCsvField(out, text);
            } else {
                out.append(fields[f]);
            }
        }
        out.append("\r\n");
        ++count;
    }
    bytes = std::move(out);
    return StoreStatus::success();
}

StoreStatus WriteCsvExport(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return StoreStatus::failure(QDir::toNativeSeparators(path),
                                    QStringLiteral("書き込めません (%1)").arg(file.errorString()));
    return StoreStatus::success();
}

} // namespace zz
