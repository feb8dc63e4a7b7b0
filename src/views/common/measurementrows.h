#pragma once

#include "base/tablerow.h"
#include "store/measurementrecord.h"

#include <QHash>
#include <QString>

namespace zz {

// " 増" when a value went up since the start, " 同" when it stayed, " 減" when
// it went down; decided on the unrounded single-precision change (start minus
// now).
QString DirectionWord(float startMinusNow);

// The cells the day list and the filtered view show for a measurement, made
// in one place so the two lists cannot differ. Each distinct text is made once
// per fill and shared: a diary repeats the same few hundred weights, fats and
// differences thousands of times, and a shared QString costs neither the
// formatting nor the memory again.
class MeasurementCells
{
public:
    // `heightCm` 0 or less: no BMI and no obesity degree (empty cells).
    explicit MeasurementCells(float heightCm);

    // weight, the change since `previousWeight` and since `firstWeight`, each
    // followed by its mark, BMI, obesity degree, body fat: 9 cells.
    void appendWeightCells(TableRow &row, const MeasurementRecord &record, float previousWeight,
                           float firstWeight);
    // weight, body fat, metabolism ("kcal"), visceral fat, muscle mass, muscle
    // score, bone mass: 7 cells.
    void appendCompositionCells(TableRow &row, const MeasurementRecord &record);

    float standardWeight() const { return m_standardWeight; }

private:
    // A difference and, in the column to its right, the change mark read back
    // from the text (so 0.04 shown as 0.0Kg is "→").
    void appendDifference(TableRow &row, float difference);
    template <typename Key, typename Make>
    static QString memo(QHash<Key, QString> &texts, Key key, Make make);

    float m_heightCm;
    float m_standardWeight;
    QHash<quint32, QString> m_kg, m_percentSign, m_bmi, m_obesity, m_differences;
    QHash<qint32, QString> m_whole, m_kcal;
    QHash<quint32, ChangeMark> m_marks;
};

} // namespace zz
