// A request object for tests. The factory keeps a journal of every call made on the objects it
// created (and their release), and answers with a scripted header value.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/http_request.h"

namespace tessivo::testing {

class FakeHttpRequestFactory : public HttpRequestFactory {
 public:
  bool createFails = false;
  std::string dateHeader;                  // what GetResponseHeader("Date") gives
  bool openResult = true;
  bool sendResult = true;
  bool setTimeoutsResult = true;
  bool putOptionResult = true;
  std::function<void()> duringSend;        // runs inside Send, e.g. to move a fake clock
  std::vector<std::string> journal;        // "create", "SetTimeouts 5000 5000 10000 5000", ...
  int liveObjects = 0;

  std::unique_ptr<HttpRequest> Create() override {
    journal.push_back(createFails ? "create failed" : "create");
    if (createFails) return nullptr;
    return std::make_unique<Request>(*this);
  }

 private:
  class Request : public HttpRequest {
   public:
    explicit Request(FakeHttpRequestFactory& owner) : owner_(owner) { ++owner_.liveObjects; }
    ~Request() override {
      --owner_.liveObjects;
      owner_.journal.push_back("release");
    }

    bool SetTimeouts(std::int32_t resolve, std::int32_t connect, std::int32_t send,
                     std::int32_t receive) override {
      owner_.journal.push_back("SetTimeouts " + std::to_string(resolve) + " " + std::to_string(connect) +
                               " " + std::to_string(send) + " " + std::to_string(receive));
      return owner_.setTimeoutsResult;
    }
    bool PutOption(std::int32_t index, std::int32_t value) override {
      owner_.journal.push_back("Option " + std::to_string(index) + " = " + std::to_string(value));
      return owner_.putOptionResult;
    }
    bool Open(std::string_view method, std::string_view url, bool asynchronous) override {
      owner_.journal.push_back("open " + std::string(method) + " " + std::string(url) +
                               (asynchronous ? " async" : " sync"));
      return owner_.openResult;
    }
    bool Send() override {
      owner_.journal.push_back("send");
      if (owner_.duringSend) owner_.duringSend();
      return owner_.sendResult;
    }
    std::string GetResponseHeader(std::string_view name) override {
      owner_.journal.push_back("GetResponseHeader " + std::string(name));
      if (!owner_.sendResult || name != "Date") return {};
      return owner_.dateHeader;
    }

   private:
    FakeHttpRequestFactory& owner_;
  };
};

}  // namespace tessivo::testing
