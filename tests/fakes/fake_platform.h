// Every platform service as a fake, wired into one Platform.
#pragma once

#include "platform/platform.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_http_request.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_shell.h"

namespace tessivo::testing {

struct FakePlatform {
  FakeClock clock;
  FakeMessageBox messageBox;
  FakeHttpRequestFactory http;
  FakeShell shell;
  FakeRegistry registry;
  FakeProfileFiles profiles;  // no preference file: the recommendation window shows
  Platform platform{clock, messageBox, http, shell, registry, profiles};

  // One journal for the request object and the clock, so tests can check their order.
  FakePlatform() { clock.journal = &http.journal; }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;
};

}  // namespace tessivo::testing
