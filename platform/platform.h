// The services of the operating system that the portable code reaches, wired once at start-up
// (the Win32 implementations) or in a test (fakes).
#pragma once

namespace tessivo {

class Clock;
class HttpRequestFactory;
class MessageBoxService;
class ProfileFiles;
class Registry;
class Shell;

struct Platform {
  Clock& clock;
  MessageBoxService& messageBox;
  HttpRequestFactory& http;
  Shell& shell;
  Registry& registry;
  ProfileFiles& profiles;
};

}  // namespace tessivo
