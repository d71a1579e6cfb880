#pragma once
// The factories of the control classes a form description may name.
#include "FormControl.h"

std::unique_ptr<FormControl> CreateImage(const ControlDescription&, HWND parent, int id, const FormMetrics&);
std::unique_ptr<FormControl> CreateTitleStripStandIn(const ControlDescription&, HWND parent, int id, const FormMetrics&);
std::unique_ptr<FormControl> CreateComboBoxStandIn(const ControlDescription&, HWND parent, int id, const FormMetrics&);
std::unique_ptr<FormControl> CreateButtonStandIn(const ControlDescription&, HWND parent, int id, const FormMetrics&);
std::unique_ptr<FormControl> CreateMemoStandIn(const ControlDescription&, HWND parent, int id, const FormMetrics&);
