#pragma once
// ApplicationId: an application of the platform named by (kind, id). Kind 2 names a subclient;
// getInstance gives the instance that owns the subclient's backup set, or null when there is
// none (no such subclient, a backup set bound to no instance, or another kind).
#include <cstdint>
#include <optional>

#include "platform/config/Instance.h"

class ApplicationId {
 public:
  static constexpr int kSubclient = 2;

  ApplicationId(int kind, std::uint64_t applicationId);

  int getKind() const { return kind_; }
  std::uint64_t getApplicationId() const { return applicationId_; }
  // Owned by this object; valid while it lives.
  const Instance* getInstance() const { return owner_ ? &*owner_ : nullptr; }

 private:
  int kind_;
  std::uint64_t applicationId_;
  std::optional<Instance> owner_;
};
