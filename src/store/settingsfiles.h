#pragma once

#include "store/storestatus.h"

#include <QString>

namespace zz {

// The four settings files. Each is read once at startup and written whole the
// moment its control changes.

// "設定.txt": the quoted label "ヘルプツアー", a comma, 0 or 1.
StoreStatus ReadHelpTourSetting(const QString &dir, int &helpTourOn);
StoreStatus WriteHelpTourSetting(const QString &dir, int helpTourOn);

// "体重計刻み.txt": line 1 the weight increment, line 2 the fat increment, each as
// plain text exactly as the user gave it (no check: "0.25", "0.10", even "abc").
StoreStatus ReadIncrements(const QString &dir, QString &weightIncrement, QString &fatIncrement);
StoreStatus WriteIncrements(const QString &dir, const QString &weightIncrement, const QString &fatIncrement);

// "移動平均.TXT": one line, the text of the width combo, unquoted and unchanged.
StoreStatus ReadMovingAverageWidth(const QString &dir, QString &widthText);
StoreStatus WriteMovingAverageWidth(const QString &dir, const QString &widthText);

// "自動時間.TXT": one line, 0 or 1 in print form (a blank before the digit: " 1").
// Reading takes the line as text and converts it to a whole number.
StoreStatus ReadAutoTime(const QString &dir, int &autoTimeOn);
StoreStatus WriteAutoTime(const QString &dir, int autoTimeOn);

} // namespace zz
