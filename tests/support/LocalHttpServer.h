#pragma once
// A small HTTP/1.1 server for tests, on 127.0.0.1 and a port the system picks, optionally over
// TLS with a certificate of the test's. It serves one request per connection (it answers with
// "Connection: close"), records every request it read, and answers with what the test's handler
// returns. It runs on its own thread until destroyed. It doubles as a forward proxy: a request
// line with an absolute address is recorded and answered like any other.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {

struct HttpRequest {
  std::string requestLine;  // "GET /path HTTP/1.1"
  std::string method;
  std::string target;
  std::vector<std::pair<std::string, std::string>> headers;  // as received, in order
  std::string body;

  // The first header of that name (case-insensitive), if any.
  std::optional<std::string> header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
      if (::strcasecmp(key.c_str(), name.c_str()) == 0) {
        return value;
      }
    }
    return std::nullopt;
  }
};

struct HttpReply {
  int status = 200;
  std::string reason = "OK";
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  bool neverAnswer = false;  // read the request, then stay silent until the client gives up
  bool cutBodyShort = false;  // announce the whole body, send half of it and close
};

class LocalHttpServer {
 public:
  using Handler = std::function<HttpReply(const HttpRequest&)>;
  struct TlsFiles {
    std::string certificateFile;
    std::string keyFile;
  };

  explicit LocalHttpServer(Handler handler, std::optional<TlsFiles> tls = std::nullopt)
      : handler_(std::move(handler)) {
    if (tls) {
      setUpTls(*tls);
    }
    listen();
    thread_ = std::thread([this] { serve(); });
  }

  ~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }

  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  std::uint16_t port() const { return port_; }
  std::string url(const std::string& path) const {
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + path;
  }
  std::vector<HttpRequest> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  int handshakeFailures() const { return handshakeFailures_; }

 private:
  using Tls = std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)>;

  void setUpTls(const TlsFiles& files) {
    tls_ = Tls(SSL_CTX_new(TLS_server_method()), &SSL_CTX_free);
    if (!tls_ || SSL_CTX_use_certificate_chain_file(tls_.get(), files.certificateFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(tls_.get(), files.keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
      throw std::runtime_error("test server: TLS set-up failed");
    }
  }

  void listen() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 16) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      throw std::runtime_error("test server: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
  }

  void serve() {
    while (!stop_) {
      pollfd entry{listener_, POLLIN, 0};
      if (::poll(&entry, 1, 50) <= 0) {
        continue;
      }
      const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection >= 0) {
        handleConnection(connection);
        ::close(connection);
      }
    }
  }

  // Reads and writes either plain or through TLS.
  struct Stream {
    int fd;
    SSL* ssl;
    long read(char* data, int length) { return ssl != nullptr ? SSL_read(ssl, data, length) : ::recv(fd, data, length, 0); }
    bool write(const std::string& text) {
      std::size_t done = 0;
      while (done < text.size()) {
        const long wrote = ssl != nullptr ? SSL_write(ssl, text.data() + done, static_cast<int>(text.size() - done))
                                          : ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (wrote <= 0) {
          return false;
        }
        done += static_cast<std::size_t>(wrote);
      }
      return true;
    }
  };

  void handleConnection(int fd) {
    timeval limit{5, 0};  // a client that stalls cannot wedge the server thread
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    std::unique_ptr<SSL, decltype(&SSL_free)> ssl(nullptr, &SSL_free);
    if (tls_) {
      ssl.reset(SSL_new(tls_.get()));
      SSL_set_fd(ssl.get(), fd);
      if (SSL_accept(ssl.get()) != 1) {
        ++handshakeFailures_;
        ERR_clear_error();
        return;
      }
    }
    Stream stream{fd, ssl.get()};
    std::optional<HttpRequest> request = readRequest(stream);
    if (!request) {
      return;
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(*request);
    }
    const HttpReply reply = handler_(*request);
    if (reply.neverAnswer) {
      while (!stop_) {
        char ignored[256];
        if (stream.read(ignored, sizeof ignored) == 0) {
          break;  // the client hung up
        }
      }
      return;
    }
    stream.write(render(reply));
    if (ssl) {
      SSL_shutdown(ssl.get());
    }
  }

  static std::optional<HttpRequest> readRequest(Stream& stream) {
    std::string data;
    std::size_t headerEnd = std::string::npos;
    char buffer[4096];
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
      const long got = stream.read(buffer, sizeof buffer);
      if (got <= 0) {
        return std::nullopt;
      }
      data.append(buffer, static_cast<std::size_t>(got));
    }
    HttpRequest request;
    std::size_t lineStart = 0;
    std::size_t lineEnd = data.find("\r\n");
    request.requestLine = data.substr(0, lineEnd);
    const std::size_t firstBlank = request.requestLine.find(' ');
    const std::size_t secondBlank = request.requestLine.find(' ', firstBlank + 1);
    request.method = request.requestLine.substr(0, firstBlank);
    request.target = request.requestLine.substr(firstBlank + 1, secondBlank - firstBlank - 1);
    while (lineEnd < headerEnd) {
      lineStart = lineEnd + 2;
      lineEnd = data.find("\r\n", lineStart);
      const std::string line = data.substr(lineStart, lineEnd - lineStart);
      const std::size_t colon = line.find(':');
      const std::size_t valueStart = line.find_first_not_of(' ', colon + 1);
      request.headers.emplace_back(line.substr(0, colon),
                                   valueStart == std::string::npos ? std::string() : line.substr(valueStart));
    }
    request.body = data.substr(headerEnd + 4);
    const std::size_t length = std::stoul(request.header("Content-Length").value_or("0"));
    while (request.body.size() < length) {
      const long got = stream.read(buffer, sizeof buffer);
      if (got <= 0) {
        return std::nullopt;
      }
      request.body.append(buffer, static_cast<std::size_t>(got));
    }
    return request;
  }

  static std::string render(const HttpReply& reply) {
    std::string text = "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
    for (const auto& [name, value] : reply.headers) {
      text += name + ": " + value + "\r\n";
    }
    text += "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
    return text + (reply.cutBodyShort ? reply.body.substr(0, reply.body.size() / 2) : reply.body);
  }

  Handler handler_;
  Tls tls_{nullptr, &SSL_CTX_free};
  int listener_ = -1;
  std::uint16_t port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> handshakeFailures_{0};
  mutable std::mutex mutex_;
  std::vector<HttpRequest> requests_;
  std::thread thread_;
};

}  // namespace testsupport
