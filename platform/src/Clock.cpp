#include "platform/Clock.h"

#include <thread>

#include "platform/HostEnvironment.h"

std::chrono::system_clock::time_point SystemClock::now() const { return std::chrono::system_clock::now(); }

std::chrono::steady_clock::time_point SystemClock::steadyNow() const { return std::chrono::steady_clock::now(); }

void SystemClock::sleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

FakeClock::FakeClock(std::chrono::system_clock::time_point start) : start_(start) {}

std::chrono::system_clock::time_point FakeClock::now() const {
  std::lock_guard lock(mutex_);
  elapsed_ += readStep_;
  return start_ + elapsed_;
}

std::chrono::steady_clock::time_point FakeClock::steadyNow() const {
  std::lock_guard lock(mutex_);
  elapsed_ += readStep_;
  return std::chrono::steady_clock::time_point{} + elapsed_;
}

void FakeClock::sleepFor(std::chrono::milliseconds duration) {
  std::lock_guard lock(mutex_);
  sleeps_.push_back(duration);
  elapsed_ += duration;
}

void FakeClock::advance(std::chrono::milliseconds duration) {
  std::lock_guard lock(mutex_);
  elapsed_ += duration;
}

void FakeClock::advanceOnEveryRead(std::chrono::milliseconds step) {
  std::lock_guard lock(mutex_);
  readStep_ = step;
}

std::vector<std::chrono::milliseconds> FakeClock::sleeps() const {
  std::lock_guard lock(mutex_);
  return sleeps_;
}

void LMSLEEP(std::uint32_t milliseconds) {
  HostEnvironment::current().clockOrSystem().sleepFor(std::chrono::milliseconds{milliseconds});
}
