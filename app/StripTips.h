#pragma once
#include "TabCtrlProxy.h"

// Gives every tab of the strip a tooltip tool that asks the frame for its text by the tab's
// index. Some tab controls register no per-tab tools; then `byFrame` turns true and the strip's
// tools are kept here from then on.
void SyncTabTips(const CTabCtrlProxy& tabs, bool& byFrame);
