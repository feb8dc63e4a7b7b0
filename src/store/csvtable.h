#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zz {

// A CSV file as rows of cells.
struct CsvTable
{
    QChar delimiter = u',';
    bool hasHeader = false;
    QStringList header;        // the first row when it is a header
    QList<QStringList> rows;   // the data rows
    QList<qint64> lineNumbers; // the file line each data row starts on
};

// Told how far a long step has come (0 to 1000); false cancels the step.
using CsvProgress = std::function<bool(int permille)>;

// Decodes (UTF-8 with or without BOM, UTF-16 with BOM, else code page 932) and
// splits `bytes`. False with `fault` set for a binary or empty file, or when
// `progress` cancelled.
bool ReadCsv(QByteArrayView bytes, CsvTable &table, QString &fault, const CsvProgress &progress = {});

// A cell as a number: "." as decimal separator ("," when the delimiter is
// ";"), a unit may follow ("65.2 kg"); nullopt for an empty or unreadable cell.
std::optional<double> CsvNumber(QString cell, QChar delimiter);

struct CsvDateTime
{
    QDate date;
    int minute = -1; // minute of the day, -1 without a time
};

// "2020-01-28", "2020/1/28", "2020.01.28", "2020年1月28日", each optionally
// followed by " 21:18[:00]" or "T21:18".
CsvDateTime CsvDateTimeOf(QStringView cell);

// The time of day of "07:12", "07:12:00" or "2020-01-28 07:12"; -1 without one.
int CsvMinuteOf(QStringView cell);

} // namespace zz
