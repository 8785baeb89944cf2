// SyncProcedure: what a press of MainWindow's sync button does. Opens SyncResultWindow, sets the
// clock from the time source, and reports the local time before and after and how long it took.
#pragma once

namespace tessivo {

struct Platform;

namespace ui {
class WindowModel;
}  // namespace ui

// Never fails: whatever the time source does, the result window is shown and its three labels
// are written. Blocks for as long as the exchange with the time source lasts.
void SyncProcedure(ui::WindowModel& model, const Platform& platform);

}  // namespace tessivo
