#pragma once
// The platform's one seam for time. Everything that sleeps or reads the clock goes through the
// Clock of the current HostEnvironment, so tests replace it with a FakeClock and retry loops
// run without waiting.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::system_clock::time_point now() const = 0;
  virtual std::chrono::steady_clock::time_point steadyNow() const = 0;
  virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};

class SystemClock final : public Clock {
 public:
  std::chrono::system_clock::time_point now() const override;
  std::chrono::steady_clock::time_point steadyNow() const override;
  void sleepFor(std::chrono::milliseconds duration) override;
};

// A clock that only moves when told to; sleeping advances it and is recorded.
class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::chrono::system_clock::time_point start = std::chrono::system_clock::time_point{
                         std::chrono::seconds{1'800'000'000}});
  std::chrono::system_clock::time_point now() const override;
  std::chrono::steady_clock::time_point steadyNow() const override;
  void sleepFor(std::chrono::milliseconds duration) override;
  void advance(std::chrono::milliseconds duration);
  // From now on every reading of the clock moves it on by step first: each deadline set with
  // it has passed by the time it is checked, so a time-out is reached without waiting.
  void advanceOnEveryRead(std::chrono::milliseconds step);
  std::vector<std::chrono::milliseconds> sleeps() const;

 private:
  mutable std::mutex mutex_;
  mutable std::chrono::milliseconds elapsed_{0};
  std::chrono::milliseconds readStep_{0};
  std::chrono::system_clock::time_point start_;
  std::vector<std::chrono::milliseconds> sleeps_;
};

// Sleeps the calling thread through the current environment's clock.
void LMSLEEP(std::uint32_t milliseconds);
