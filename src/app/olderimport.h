#pragma once

#include "store/storestatus.h"

#include <QString>

class QWidget;

namespace zz {

// The startup import of the earlier editions' data files: each older file
// found is converted after the user has typed the values it never held. An
// empty answer (or Cancel) leaves that file as it is, to be asked again next
// time. The weight-only file comes first, then an edition "データ.txt".
// A failure (a malformed older file, a write that failed) is returned to be
// shown; the program then stops before anything reads the diary.
StoreStatus ImportOlderFiles(const QString &dir, QWidget *parent);

// The three steps, as the startup runs them.
StoreStatus ImportWeightOnlyFile(const QString &dir, QWidget *parent);
StoreStatus ImportFirstEditionFile(const QString &dir, QWidget *parent);
StoreStatus ImportSecondEditionFile(const QString &dir, QWidget *parent);

} // namespace zz
