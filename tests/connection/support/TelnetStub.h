#pragma once
// A telnet server on the loopback interface for one connection: it asks the
// client for its terminal type and environment, records the answers and the
// data that follows, and greets with a login prompt.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace korvane::testing_support {

class TelnetStub {
 public:
  struct Seen {
    std::string terminalType;
    std::map<std::string, std::string> environment;
    std::string data;
    bool connected = false, closed = false;
  };

  TelnetStub() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    listen(listener_, 1);
    thread_ = std::thread([this] { Run(); });
  }
  ~TelnetStub() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  int port() const { return port_; }
  Seen seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }

 private:
  enum : unsigned char { SE = 240, SB = 250, WILL = 251, WONT = 252, DO = 253, DONT = 254, IAC = 255 };
  enum : unsigned char { TTYPE = 24, NEW_ENVIRON = 39 };

  void Send(int fd, std::initializer_list<unsigned char> bytes) {
    const std::string s(bytes.begin(), bytes.end());
    if (write(fd, s.data(), s.size()) < 0) return;
  }

  void Run() {
    pollfd p{listener_, POLLIN, 0};
    while (!stop_ && poll(&p, 1, 50) <= 0) {
    }
    if (stop_) return;
    const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.connected = true;
    }
    Send(fd, {IAC, DO, TTYPE, IAC, DO, NEW_ENVIRON});
    const std::string prompt = "\r\nlogin: ";
    if (write(fd, prompt.data(), prompt.size()) < 0) return;
    int state = 0;  // 0 data, 1 after IAC, 2 option verb, 3 in SB, 4 IAC in SB
    unsigned char verb = 0;
    std::string sb;
    while (!stop_) {
      pollfd q{fd, POLLIN, 0};
      if (poll(&q, 1, 50) <= 0) continue;
      unsigned char buf[1024];
      const ssize_t n = read(fd, buf, sizeof buf);
      if (n <= 0) break;
      for (ssize_t i = 0; i < n; ++i) {
        const unsigned char c = buf[i];
        switch (state) {
          case 0:
            if (c == IAC)
              state = 1;
            else
              Data(c);
            break;
          case 1:
            if (c == IAC) {
              Data(c);
              state = 0;
            } else if (c == SB) {
              sb.clear();
              state = 3;
            } else if (c >= WILL && c <= DONT) {
              verb = c;
              state = 2;
            } else {
              state = 0;
            }
            break;
          case 2:
            if (verb == WILL && (c == TTYPE || c == NEW_ENVIRON))
              Send(fd, {IAC, SB, c, 1, IAC, SE});
            else if (verb == WILL)
              Send(fd, {IAC, DONT, c});
            else if (verb == DO)
              Send(fd, {IAC, WONT, c});
            state = 0;
            break;
          case 3:
            if (c == IAC)
              state = 4;
            else
              sb += static_cast<char>(c);
            break;
          case 4:
            if (c == SE) {
              Subnegotiation(sb);
              state = 0;
            } else {
              sb += static_cast<char>(c);
              state = 3;
            }
            break;
        }
      }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    seen_.closed = true;
    close(fd);
  }

  void Data(unsigned char c) {
    std::lock_guard<std::mutex> lock(mutex_);
    seen_.data += static_cast<char>(c);
  }

  void Subnegotiation(const std::string& sb) {
    if (sb.size() < 2 || sb[1] != 0) return;  // only IS answers
    std::lock_guard<std::mutex> lock(mutex_);
    if (static_cast<unsigned char>(sb[0]) == TTYPE) seen_.terminalType = sb.substr(2);
    if (static_cast<unsigned char>(sb[0]) != NEW_ENVIRON) return;
    // (VAR | USERVAR) name [VALUE value] ..., ESC quoting the next byte.
    std::string name, value, *into = nullptr;
    auto flush = [&] {
      if (!name.empty()) seen_.environment[name] = value;
      name.clear();
      value.clear();
    };
    for (size_t i = 2; i < sb.size(); ++i) {
      const unsigned char c = sb[i];
      if (c == 0 || c == 3) {
        flush();
        into = &name;
      } else if (c == 1) {
        into = &value;
      } else if (c == 2 && i + 1 < sb.size()) {
        if (into) *into += sb[++i];
      } else if (into) {
        *into += static_cast<char>(c);
      }
    }
    flush();
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  Seen seen_;
};

}  // namespace korvane::testing_support
