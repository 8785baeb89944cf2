// A one-thread HTTP server on 127.0.0.1 for tests of the request object: it records the head
// of every request it gets and answers each with the same scripted reply.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tessivo::testing {

// WSAStartup for as long as the object lives.
class WinsockSession {
 public:
  WinsockSession();
  ~WinsockSession();
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};

// Owns one socket (closesocket).
class Socket {
 public:
  Socket() = default;
  explicit Socket(SOCKET owned) : value_(owned) {}
  ~Socket() { Reset(); }
  Socket(Socket&& other) noexcept : value_(other.value_) { other.value_ = INVALID_SOCKET; }
  Socket& operator=(Socket&& other) noexcept;
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  SOCKET Get() const { return value_; }
  bool Valid() const { return value_ != INVALID_SOCKET; }
  void Reset();

 private:
  SOCKET value_ = INVALID_SOCKET;
};

// A socket bound to an ephemeral port of 127.0.0.1; listening or not.
Socket BindLoopback(bool listen, std::uint16_t& port);

class LoopbackHttpServer {
 public:
  struct Options {
    // Sent once the request head has arrived. "{base}" stands for BaseAddress().
    std::string reply;
    // Keep the connection open after the reply, until Stop, instead of closing it.
    bool holdOpen = false;
  };

  explicit LoopbackHttpServer(Options options);
  ~LoopbackHttpServer() { Stop(); }
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  bool Listening() const { return listener_.Valid(); }
  // "http://127.0.0.1:PORT", no trailing slash.
  std::string BaseAddress() const;

  // Stops serving and returns the head of every request received, request line first and
  // header lines after it, "\r\n"-separated, in order of arrival.
  std::vector<std::string> Stop();

 private:
  void Serve();
  void ServeConnection(Socket connection);
  // Waits until the socket can be read; false once Stop was called.
  bool WaitReadable(SOCKET socket);

  WinsockSession winsock_;
  Options options_;
  std::uint16_t port_ = 0;
  Socket listener_;
  std::atomic<bool> stopping_{false};
  std::vector<std::string> requests_;  // written by the server thread until it is joined
  std::thread thread_;
};

// The first line of a request head.
std::string_view RequestLine(std::string_view head);

}  // namespace tessivo::testing
