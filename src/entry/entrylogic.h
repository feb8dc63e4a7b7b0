#pragma once

#include "store/measurementrecord.h"

#include <QList>
#include <QString>
#include <optional>

namespace zz {

// Step buttons: the box's leading number plus or minus the step, computed in
// double precision and shown with 15 significant digits (65.4 + 0.1 -> "65.5").
QString StepFixed(const QString &boxText, double step, int direction);
// The weight and fat steps take the increment setting as a whole-text number;
// nullopt when the setting is not a number (the box then stays as it is).
std::optional<QString> StepByIncrement(const QString &boxText, const QString &incrementText, int direction);

// A message of the save checks.
struct SaveMessage
{
    // Refusal: exclamation + OK; Notice: information + OK; Question: Yes/No, No default
    enum class Kind { Refusal, Notice, Question };
    Kind kind = Kind::Refusal;
    QString text;
    QString title;
    friend bool operator==(const SaveMessage &, const SaveMessage &) = default;
};

struct SaveInputs
{
    bool sampleMode = false;
    QString currentStatus;
    QString weightText, fatText, metabolismText, visceralText, muscleText, scoreText, boneText;
    float referenceWeight = 0;
    float referenceFat = 0;
};

// The checks of the save button in their order. The result lists the messages
// to go through: questions (any answer but Yes stops) and at most one refusal,
// always last (it stops). When the list holds no refusal and every question is
// answered Yes, the measurement is saved.
QList<SaveMessage> SaveChecks(const SaveInputs &inputs);

// The refusal text of a box that holds no number: it names the field and how
// a number is typed.
QString NotANumberText(const QString &field);

// The record the boxes give (date and comment are set by the caller).
MeasurementRecord RecordFromEntry(const SaveInputs &inputs, const QString &date);

// True when the new record goes in by date (the last record is later than it).
bool SaveTakesInsertPath(const QString &lastRecordDate, const QString &date);

// The refusal for a status text the files cannot hold, or nullopt.
std::optional<SaveMessage> UnstorableStatusMessage(const QString &status);

// The increment option (1, 2, 3) a stored increment text selects; 0 for none.
// Text comparison: "0.10" selects none.
int IncrementOptionIndex(const QString &incrementText);
QString IncrementForOption(int index); // 1 "0.1", 2 "0.2", 3 "0.5"

// A moving-average width is accepted when its leading number is a whole number
// of 1 or more.
bool MovingAverageWidthAccepted(const QString &widthText);

} // namespace zz
