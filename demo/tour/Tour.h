#pragma once
// The guided tour of DemoHost: started inside the program, it drives the
// menus and dialogs with real mouse and keyboard input, photographs every
// step into a folder (NN-step.png and index.html), checks what each step
// should show (tour-results.txt, one "PASS|FAIL <check>" line each) and
// closes the program when done; the exit code is 1 when a check failed.
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace demo::tour {

// `frame` is the MDI frame, `quillon` the control's automation interface
// (properties are read through it), `folder` where the files go (created
// when missing). Returns at once: a timer runs the tour from the message loop.
void StartTour(HWND frame, IDispatch* quillon, const std::wstring& folder);

// "--tour <folder>" on the command line starts the tour; false without it.
bool StartTourFromCommandLine(HWND frame, IDispatch* quillon);

}  // namespace demo::tour
