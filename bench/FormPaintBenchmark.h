#pragma once
// The main window's full repaints against a plain window of standard controls in the
// same places (Win32 build only).
void FormPaintBenchmark();
