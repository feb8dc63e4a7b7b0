#pragma once

#include "app/mainwindow.h"
#include "app/startup.h"
#include "boxwatcher.h"
#include "diaryfixture.h"

#include <QStandardPaths>

#include <memory>

// One run of the program on a diary of the test's own: the diary, the watcher
// that answers the window's boxes, and the window. Members go in reverse
// order: the window first, the diary last.
struct WindowSession
{
    // The window keeps preferences (its placement) with QSettings: a test
    // keeps them in Qt's test folders, never in the user's.
    WindowSession() { QStandardPaths::setTestModeEnabled(true); }

    DiaryFixture diary;
    BoxWatcher boxes;
    std::unique_ptr<zz::MainWindow> window;

    void start() { window = zz::StartProgram(diary.dir()); }
};
