// SyncProcedure: the sync button's click handler.
#include "sync/sync_procedure.h"

#include <cstdint>
#include <string>

#include "datetime/date_time.h"
#include "platform/platform.h"
#include "sync/clock_correction.h"
#include "ui/window_model.h"
#include "ui/windows/main_window.h"
#include "ui/windows/sync_result_window.h"

namespace tessivo {
namespace {

constexpr std::string_view kMillisecondsSuffix = " ms";

}  // namespace

void SyncProcedure(ui::WindowModel& model, const Platform& platform) {
  // The reported interval covers everything below: the window's load, both time captions and
  // the whole exchange, a refusal message box included for as long as it stays open.
  const std::int32_t readingOne = UptimeMilliseconds(platform.clock);

  // Not modal: the procedure goes on while the window is shown. An open window is brought
  // forward and its labels are overwritten; a failed load leaves nothing to write into, and the
  // captions below then do nothing.
  model.LoadWindow(ui::kSyncResultWindow, ui::kMainWindow, false);
  model.SetCaption(ui::kSyncResultWindow, ui::kTimeBeforeLabel, DateTimeToText(CurrentDateTime(platform.clock)));

  // Its outcome shows in the time after: a failure leaves the clock as it was.
  SetClockFromServer(TimeSourceBase, platform);
  model.SetCaption(ui::kSyncResultWindow, ui::kTimeAfterLabel, DateTimeToText(CurrentDateTime(platform.clock)));

  const std::int32_t readingTwo = UptimeMilliseconds(platform.clock);
  std::string taken = RealToText(ElapsedMilliseconds(readingOne, readingTwo));  // whole numbers: digits only
  taken.append(kMillisecondsSuffix);
  model.SetCaption(ui::kSyncResultWindow, ui::kTimeTakenLabel, taken);
}

}  // namespace tessivo
