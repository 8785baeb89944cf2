// A clock for tests: a settable wall-clock reading, a scripted tick counter, and a record of
// every time the code under test asked to set.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "datetime/date_fields.h"
#include "platform/clock.h"

namespace tessivo::testing {

class FakeClock : public Clock {
 public:
  DateFields now{2012, 3, 16, 8, 5, 9, 5};
  bool acceptSet = true;                   // whether SetLocalTime succeeds
  std::vector<DateFields> setRequests;     // every SetLocalTime call, accepted or not
  std::deque<std::int32_t> ticks;          // TickCount readings, in order; then `lastTick`
  std::int32_t lastTick = 0;
  int tickReadings = 0;
  std::vector<std::string>* journal = nullptr;  // when set, every call is noted there too

  DateFields ReadLocalTime() override {
    Note("read clock");
    return now;
  }

  bool SetLocalTime(const DateFields& fields) override {
    Note("set clock");
    setRequests.push_back(fields);
    if (acceptSet) now = fields;
    return acceptSet;
  }

  std::int32_t TickCount() override {
    Note("tick");
    ++tickReadings;
    if (!ticks.empty()) {
      lastTick = ticks.front();
      ticks.pop_front();
    }
    return lastTick;
  }

 private:
  void Note(const char* call) {
    if (journal != nullptr) journal->push_back(call);
  }
};

}  // namespace tessivo::testing
