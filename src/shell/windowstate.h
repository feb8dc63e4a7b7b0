#pragma once

#include "store/measurementrecord.h"
#include "store/smallfiles.h"
#include "views/common/wholeperiod.h"

#include <QString>

namespace zz {

// The window-level values several panels share. Each has one owner that writes
// it; the others only read it:
// - personal data: read at startup (later: New start and the personal-data edit);
// - settings (help tour, increments, automatic time): the settings handlers;
// - startupInProgress, sampleMode: the startup sequence;
// - the day-list values (referenceMeasurement .. standardWeight): RefreshDayList;
// - currentStatus: the status choice (emptied by RefreshDayList);
// - markerMode: the day chart's double click;
// - history: LoadWholeHistory of the whole-period panel, which the analysis
//   panel runs before it reads it.
struct WindowState
{
    PersonalData personal;

    int helpTourOn = 0;
    QString weightIncrement;
    QString fatIncrement;
    int autoTimeOn = 0;

    bool startupInProgress = false;
    bool sampleMode = false;
    QString helpFileName;
    QString helpTourText;

    MeasurementRecord referenceMeasurement;
    MeasurementRecord lastRecord;
    QString lastRecordDate;
    qint64 recordCount = 0;
    QString startDate;
    float standardWeight = 0;

    QString currentStatus;
    int markerMode = 0;

    WholeHistory history;
};

} // namespace zz
