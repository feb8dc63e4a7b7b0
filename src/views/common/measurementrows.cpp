#include "views/common/measurementrows.h"

#include "base/displayformats.h"
#include "base/numbers.h"
#include "views/common/bmi.h"

#include <cstring>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

quint32 Bits(float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

QString DirectionWord(float startMinusNow)
{
    if (startMinusNow < 0)
        return u" 増"_s;
    if (startMinusNow == 0)
        return u" 同"_s;
    return u" 減"_s;
}

MeasurementCells::MeasurementCells(float heightCm)
    : m_heightCm(heightCm), m_standardWeight(StandardWeightOf(heightCm))
{}

template <typename Key, typename Make>
QString MeasurementCells::memo(QHash<Key, QString> &texts, Key key, Make make)
{
    auto it = texts.constFind(key);
    if (it == texts.cend())
        it = texts.insert(key, make());
    return *it; // a shared copy: a later insert may move the stored text
}

void MeasurementCells::appendWeightCells(TableRow &row, const MeasurementRecord &record, float previousWeight,
                                         float firstWeight)
{
    const float weight = record.weight;
    row.cells << memo(m_kg, Bits(weight), [&] { return FormatKg(weight); });
    appendDifference(row, weight - previousWeight);
    appendDifference(row, weight - firstWeight);
    if (m_heightCm > 0) {
        row.cells << memo(m_bmi, Bits(weight), [&] { return FormatOneDecimal(BmiOf(weight, m_heightCm)); })
                  << memo(m_obesity, Bits(weight),
                          [&] { return FormatPercentOf((weight - m_standardWeight) / m_standardWeight); });
    } else {
        row.cells << QString() << QString();
    }
    row.cells << memo(m_percentSign, Bits(record.bodyFat), [&] { return FormatPercentSign(record.bodyFat); });
}

void MeasurementCells::appendCompositionCells(TableRow &row, const MeasurementRecord &r)
{
    row.cells << memo(m_kg, Bits(r.weight), [&] { return FormatKg(r.weight); })
              << memo(m_percentSign, Bits(r.bodyFat), [&] { return FormatPercentSign(r.bodyFat); })
              << memo(m_kcal, qint32(r.basalMetabolism),
                      [&]() -> QString { return NumberText(int(r.basalMetabolism)) + u"kcal"_s; })
              << memo(m_whole, qint32(r.visceralFat), [&] { return NumberText(int(r.visceralFat)); })
              << memo(m_kg, Bits(r.muscleMass), [&] { return FormatKg(r.muscleMass); })
              << memo(m_whole, qint32(r.muscleScore), [&] { return NumberText(int(r.muscleScore)); })
              << memo(m_kg, Bits(r.boneMass), [&] { return FormatKg(r.boneMass); });
}

void MeasurementCells::appendDifference(TableRow &row, float difference)
{
    const QString shown = memo(m_differences, Bits(difference), [&] { return FormatKg(difference); });
    auto mark = m_marks.constFind(Bits(difference));
    if (mark == m_marks.cend())
        mark = m_marks.insert(Bits(difference), ChangeMarkOf(shown));
    const int column = int(row.cells.size());
    row.cells << shown << mark->mark;
    row.backgrounds.insert(column + 1, mark->background);
}

} // namespace zz
