// A one-thread HTTP server on 127.0.0.1 for tests of the request object.
#include "tests/windows/loopback_http_server.h"

#include <ws2tcpip.h>

#include <utility>

namespace tessivo::testing {
namespace {

// How often the server thread looks at the stop flag while it waits.
constexpr long kPollMicroseconds = 20 * 1000;
constexpr std::string_view kEndOfHead = "\r\n\r\n";
constexpr std::string_view kBasePlaceholder = "{base}";

}  // namespace

WinsockSession::WinsockSession() {
  WSADATA data;
  started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession() {
  if (started_) ::WSACleanup();
}

Socket& Socket::operator=(Socket&& other) noexcept {
  if (this != &other) {
    Reset();
    value_ = std::exchange(other.value_, INVALID_SOCKET);
  }
  return *this;
}

void Socket::Reset() {
  if (value_ != INVALID_SOCKET) ::closesocket(std::exchange(value_, INVALID_SOCKET));
}

Socket BindLoopback(bool listen, std::uint16_t& port) {
  Socket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!socket.Valid()) return Socket();
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof address;
  if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
      (listen && ::listen(socket.Get(), SOMAXCONN) != 0) ||
      ::getsockname(socket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return Socket();
  }
  port = ntohs(address.sin_port);
  return socket;
}

LoopbackHttpServer::LoopbackHttpServer(Options options) : options_(std::move(options)) {
  if (!winsock_.Started()) return;
  listener_ = BindLoopback(true, port_);
  if (!listener_.Valid()) return;
  const std::string base = BaseAddress();
  for (auto at = options_.reply.find(kBasePlaceholder); at != std::string::npos;
       at = options_.reply.find(kBasePlaceholder, at + base.size())) {
    options_.reply.replace(at, kBasePlaceholder.size(), base);
  }
  thread_ = std::thread([this] { Serve(); });
}

std::string LoopbackHttpServer::BaseAddress() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> LoopbackHttpServer::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  listener_.Reset();
  return requests_;
}

bool LoopbackHttpServer::WaitReadable(SOCKET socket) {
  while (!stopping_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval timeout = {0, kPollMicroseconds};
    const int ready = ::select(0, &readable, nullptr, nullptr, &timeout);
    if (ready == SOCKET_ERROR) return false;
    if (ready > 0) return true;
  }
  return false;
}

void LoopbackHttpServer::Serve() {
  while (WaitReadable(listener_.Get())) {
    Socket connection(::accept(listener_.Get(), nullptr, nullptr));
    if (connection.Valid()) ServeConnection(std::move(connection));
  }
}

void LoopbackHttpServer::ServeConnection(Socket connection) {
  // A request of this program has no body: its head is all there is to read.
  std::string received;
  while (received.find(kEndOfHead) == std::string::npos) {
    if (!WaitReadable(connection.Get())) return;
    char buffer[1024];
    const int count = ::recv(connection.Get(), buffer, sizeof buffer, 0);
    if (count <= 0) return;
    received.append(buffer, static_cast<std::size_t>(count));
  }
  requests_.push_back(received.substr(0, received.find(kEndOfHead)));

  std::string_view reply = options_.reply;
  while (!reply.empty()) {
    const int sent = ::send(connection.Get(), reply.data(), static_cast<int>(reply.size()), 0);
    if (sent <= 0) return;
    reply.remove_prefix(static_cast<std::size_t>(sent));
  }
  if (options_.holdOpen) {
    // Anything more from the client is read and dropped until it closes or we stop.
    char buffer[1024];
    while (WaitReadable(connection.Get()) &&
           ::recv(connection.Get(), buffer, sizeof buffer, 0) > 0) {
    }
    return;
  }
  // Closing our side ends the reply for a client that reads to the end of the connection.
  ::shutdown(connection.Get(), SD_SEND);
}

std::string_view RequestLine(std::string_view head) { return head.substr(0, head.find("\r\n")); }

}  // namespace tessivo::testing
