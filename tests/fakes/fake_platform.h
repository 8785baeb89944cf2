// Every platform service as a fake, wired into one Platform.
#pragma once

#include "platform/platform.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_http_request.h"
#include "tests/fakes/fake_message_box.h"

namespace tessivo::testing {

struct FakePlatform {
  FakeClock clock;
  FakeMessageBox messageBox;
  FakeHttpRequestFactory http;
  Platform platform{clock, messageBox, http};

  // One journal for the request object and the clock, so tests can check their order.
  FakePlatform() { clock.journal = &http.journal; }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;
};

}  // namespace tessivo::testing
