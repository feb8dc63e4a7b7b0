#pragma once

#include "store/measurementrecord.h"
#include "store/smallfiles.h"
#include "views/common/chartscales.h"

#include <QString>

namespace zz {

// What the day list found out about the diary: the measurement the summary
// and the BMI refer to (the day's last, or the file's last), the file's last
// record (new measurements of an earlier date are inserted before it), the
// number of records and the start of the diet.
struct DayListValues
{
    MeasurementRecord referenceMeasurement;
    MeasurementRecord lastRecord;
    qint64 recordCount = 0;
    QString startDate;
};

// The weight and body-fat steps of the entry panel, as the user set them.
struct Increments
{
    QString weight;
    QString fat;
};

// The window-level values several panels share. Every panel reads them through
// PanelHost::state(); each value has one owner that writes it, through the
// host's setter named after it:
// - personal: startup, New start and the personal-data frame (setPersonalData);
// - increments, autoTimeOn: the settings panel (setIncrements, setAutoTimeOn);
// - dayList: the main panel's RefreshDayList (setDayListValues);
// - currentStatus: the status choice of the entry area, emptied by
//   RefreshDayList (setCurrentStatus);
// - markerMode: the main panel's double click (setMarkerMode);
// - helpTourOn, startupInProgress, sampleMode: the window itself.
// What one panel computes for itself (the whole history, a filtered view)
// stays in that panel.
struct WindowState
{
    PersonalData personal;
    Increments increments;
    bool autoTimeOn = false;
    DayListValues dayList;
    QString currentStatus;
    MarkerMode markerMode = MarkerMode::None;

    bool helpTourOn = false;
    bool startupInProgress = false;
    bool sampleMode = false;
};

} // namespace zz
