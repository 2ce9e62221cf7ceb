#pragma once
// Every test double of the platform layers.
#include "testsupport/CountingBeeper.h"
#include "testsupport/FakeFileDialogs.h"
#include "testsupport/FakeHelpViewer.h"
#include "testsupport/FakeMessageBoxes.h"
#include "testsupport/FakeSysInfoTools.h"
#include "testsupport/FakeSystemInfo.h"
#include "testsupport/MemoryClipboard.h"
#include "testsupport/MemorySettingsStore.h"
#include "testsupport/RecordingPrintSurface.h"
