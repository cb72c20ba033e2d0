#pragma once
// CloudSimulator: the simulated clouds that every bridge talks to.
//
// The host program (or a test) loads a cloud fixture (docs/cloud-fixture.md), owns the simulator
// and installs it for its lifetime with CloudSimulator::Installation; the bridges find it
// through installed(). Without an installed simulator every bridge connect fails with
// "no cloud simulator installed".
//
// The simulator holds the mutable cloud state (a deleted snapshot is gone for every later
// call), the faults still to inject, and the record of every bridge call. All of it sits behind
// one mutex: the host may serve connections side by side, each with its own bridge objects.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace cloudsim {
struct SimulatedClouds;
class SimulatorAccess;
}  // namespace cloudsim

// Which bridge made a call (and which one a fault is meant for).
enum class CloudBridgeKind { Amazon, Azure, AzureResourceManager, Google, Alibaba, Oracle };

// The name the fixture and the record use: "amazon", "azure", "azure-resource-manager",
// "google", "alibaba", "oracle".
std::string_view cloudBridgeKindName(CloudBridgeKind kind);

// One bridge call as the simulator saw it.
struct RecordedCall {
  CloudBridgeKind bridge = CloudBridgeKind::Amazon;
  std::uint64_t connection = 0;        // serial of the Connect the call ran on; 0 = none yet
  std::string operation;               // the bridge operation's name, e.g. "RefreshDBInstanceInfoList"
  std::vector<std::string> arguments;  // as texts; secrets appear as "***NOT SHOWN***"
  std::string proxy;                   // "host:port" the call went through; empty = direct
  bool failed = false;
  std::string errorText;               // the failure text the bridge reported
};

class CloudSimulator {
 public:
  // Loads a fixture. On failure returns null and sets error to the reason (where and what).
  static std::unique_ptr<CloudSimulator> fromJson(std::string_view jsonText, std::string& error);
  static std::unique_ptr<CloudSimulator> fromFile(const std::string& path, std::string& error);

  ~CloudSimulator();
  CloudSimulator(const CloudSimulator&) = delete;
  CloudSimulator& operator=(const CloudSimulator&) = delete;

  // Makes the next `times` calls of `operation` on bridges of `bridge` kind fail with `text`
  // (added to faults already pending for it). False, and nothing planned, for an operation the
  // bridge does not have or that cannot fail, or for times < 1.
  bool failNext(CloudBridgeKind bridge, std::string_view operation, int times, std::string text);
  void clearFaults();

  // The calls made so far, oldest first.
  std::vector<RecordedCall> calls() const;
  std::size_t countCalls(CloudBridgeKind bridge, std::string_view operation) const;
  void clearCalls();

  // Sees every call, with its outcome, as it is recorded (under the simulator's lock: it must not
  // call back into the simulator). An empty function stops observing.
  using CallObserver = std::function<void(const RecordedCall&)>;
  void observeCalls(CallObserver observer);
  // Whether calls are kept for calls() (the default). A long-running host that only observes
  // turns keeping off, so its memory does not grow with every call it serves.
  void keepCallRecord(bool keep);

  // Installs a simulator for the scope of this object and restores the previous one after.
  class Installation {
   public:
    explicit Installation(CloudSimulator& simulator);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

   private:
    CloudSimulator* previous_;
  };

  // The installed simulator, or null.
  static CloudSimulator* installed();

  // Tells simulators apart for the life of the process, even one made where a destroyed one
  // stood, so that a connection notices that the cloud it was opened on is gone.
  std::uint64_t identity() const { return identity_; }

 private:
  friend class cloudsim::SimulatorAccess;
  explicit CloudSimulator(std::unique_ptr<cloudsim::SimulatedClouds> clouds);

  mutable std::mutex mutex_;
  std::unique_ptr<cloudsim::SimulatedClouds> clouds_;
  const std::uint64_t identity_;
};
