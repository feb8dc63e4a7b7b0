#pragma once

#include "entry/entrylogic.h"
#include "store/measurementrecord.h"
#include "store/smallfiles.h"

#include <QDate>
#include <QString>
#include <optional>

namespace zz {

// The eleven boxes of New start as typed.
struct NewStartInputs
{
    QString name, height, target;
    QString weight, fat, metabolism, visceral, muscle, score, bone;
    QString status;
};

// The first refusal of a New start, in the order the user meets them: an
// empty required box (height first, the name may stay empty), a height or
// target that is no positive number as a whole, a whole-number value out of
// the 16-bit range, a name or status the files cannot hold. None: go ahead.
std::optional<SaveMessage> NewStartRefusal(const NewStartInputs &in);
// The personal data and the start record, dated `today`; values by their
// leading numbers (65.4kg gives 65.4).
PersonalData NewStartPersonalData(const NewStartInputs &in);
MeasurementRecord NewStartRecord(const NewStartInputs &in, const QDate &today);

// The personal-data frame: an empty height or target, a height or target that
// is no positive number as a whole, a name the file cannot hold.
std::optional<SaveMessage> PersonalDataRefusal(const QString &name, const QString &height,
                                               const QString &target);

// The notice memo may hold quotes and line breaks; only characters code page
// 932 lacks are refused.
std::optional<SaveMessage> UnstorableMemoMessage(const QString &memo);

} // namespace zz
