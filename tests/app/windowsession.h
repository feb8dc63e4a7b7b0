#pragma once

#include "app/mainwindow.h"
#include "app/startup.h"
#include "boxwatcher.h"
#include "diaryfixture.h"

#include <memory>

// One run of the program on a diary of the test's own: the diary, the watcher
// that answers the window's boxes, and the window. Members go in reverse
// order: the window first, the diary last.
struct WindowSession
{
    DiaryFixture diary;
    BoxWatcher boxes;
    std::unique_ptr<zz::MainWindow> window;

    void start() { window = zz::StartProgram(diary.dir()); }
};
