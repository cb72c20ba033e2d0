#include "bridges/simulator/CloudSimulator.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include "BridgeCatalog.h"
#include "FixtureParser.h"
#include "SimulatedClouds.h"
#include "SimulatorAccess.h"

namespace {

// The installed simulator. The owner installs it before bridges run and removes it after.
std::atomic<CloudSimulator*>& installedSimulator() {
  static std::atomic<CloudSimulator*> installed{nullptr};
  return installed;
}

}  // namespace

namespace {
std::uint64_t nextSimulatorIdentity() {
  static std::atomic<std::uint64_t> counter{0};
  return ++counter;
}
}  // namespace

CloudSimulator::CloudSimulator(std::unique_ptr<cloudsim::SimulatedClouds> clouds)
    : clouds_(std::move(clouds)), identity_(nextSimulatorIdentity()) {}

CloudSimulator::~CloudSimulator() = default;

std::unique_ptr<CloudSimulator> CloudSimulator::fromJson(std::string_view jsonText, std::string& error) {
  std::optional<cloudsim::CloudFixture> fixture = cloudsim::parseCloudFixture(jsonText, error);
  if (!fixture) return nullptr;
  auto clouds = std::make_unique<cloudsim::SimulatedClouds>();
  for (const cloudsim::PlannedFault& fault : fixture->faults) {
    clouds->faults.add(fault.bridge, fault.operation, fault.times, fault.text);
  }
  clouds->fixture = std::move(*fixture);
  return std::unique_ptr<CloudSimulator>(new CloudSimulator(std::move(clouds)));
}

std::unique_ptr<CloudSimulator> CloudSimulator::fromFile(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read cloud fixture \"" + path + "\"";
    return nullptr;
  }
  std::ostringstream text;
  text << file.rdbuf();
  std::unique_ptr<CloudSimulator> simulator = fromJson(text.str(), error);
  if (!simulator) error = path + ": " + error;
  return simulator;
}

bool CloudSimulator::failNext(CloudBridgeKind bridge, std::string_view operation, int times, std::string text) {
  if (times < 1 || !cloudsim::isFaultableOperation(bridge, operation)) return false;
  std::lock_guard lock(mutex_);
  clouds_->faults.add(bridge, std::string(operation), times, std::move(text));
  return true;
}

void CloudSimulator::clearFaults() {
  std::lock_guard lock(mutex_);
  clouds_->faults.clear();
}

std::vector<RecordedCall> CloudSimulator::calls() const {
  std::lock_guard lock(mutex_);
  return clouds_->calls;
}

std::size_t CloudSimulator::countCalls(CloudBridgeKind bridge, std::string_view operation) const {
  std::lock_guard lock(mutex_);
  std::size_t count = 0;
  for (const RecordedCall& call : clouds_->calls) {
    if (call.bridge == bridge && call.operation == operation) ++count;
  }
  return count;
}

void CloudSimulator::clearCalls() {
  std::lock_guard lock(mutex_);
  clouds_->calls.clear();
}

void CloudSimulator::observeCalls(CallObserver observer) {
  std::lock_guard lock(mutex_);
  clouds_->callObserver = std::move(observer);
}

void CloudSimulator::keepCallRecord(bool keep) {
  std::lock_guard lock(mutex_);
  clouds_->keepCalls = keep;
  if (!keep) {
    clouds_->calls.clear();
    clouds_->calls.shrink_to_fit();
  }
}

CloudSimulator::Installation::Installation(CloudSimulator& simulator)
    : previous_(installedSimulator().exchange(&simulator, std::memory_order_acq_rel)) {}

CloudSimulator::Installation::~Installation() { installedSimulator().store(previous_, std::memory_order_release); }

CloudSimulator* CloudSimulator::installed() { return installedSimulator().load(std::memory_order_acquire); }

namespace cloudsim {

namespace {

// Appends a finished call, with its outcome, to the record; the caller holds the lock.
void appendCall(SimulatedClouds& clouds, RecordedCall call, const CallFailure& failure) {
  call.failed = failure.has_value();
  if (failure) call.errorText = *failure;
  if (clouds.callObserver) clouds.callObserver(call);
  if (clouds.keepCalls) clouds.calls.push_back(std::move(call));
}

}  // namespace

CallFailure SimulatorAccess::run(CloudSimulator& simulator, RecordedCall call, const CloudWork& work) {
  std::lock_guard lock(simulator.mutex_);
  SimulatedClouds& clouds = *simulator.clouds_;
  CallFailure failure = clouds.faults.takeDue(call.bridge, call.operation);
  if (!failure) failure = work(clouds, call);
  appendCall(clouds, std::move(call), failure);
  return failure;
}

CallFailure SimulatorAccess::runWithPeer(CloudSimulator& simulator, RecordedCall call, const CloudWork& work,
                                         const std::function<CallFailure()>& peer) {
  CallFailure failure;
  {
    std::lock_guard lock(simulator.mutex_);
    failure = simulator.clouds_->faults.takeDue(call.bridge, call.operation);
    if (!failure) failure = work(*simulator.clouds_, call);
  }
  if (!failure) failure = peer();
  std::lock_guard lock(simulator.mutex_);
  appendCall(*simulator.clouds_, std::move(call), failure);
  return failure;
}

}  // namespace cloudsim
