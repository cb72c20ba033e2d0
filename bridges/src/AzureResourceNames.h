#pragma once
// How the Azure resource manager names the resources of a subscription, and how it answers for
// one the subscription does not have.
#include <string>
#include <string_view>

namespace cloudbridge {

inline constexpr std::string_view kStorageAccountType = "Microsoft.Storage/storageAccounts";
inline constexpr std::string_view kDatabaseAccountType = "Microsoft.DocumentDB/databaseAccounts";

// "/subscriptions/SUB/resourceGroups/RG/providers/TYPE/NAME"
inline std::string azureResourceId(const std::string& subscription, const std::string& resourceGroup,
                                   std::string_view type, const std::string& name) {
  return "/subscriptions/" + subscription + "/resourceGroups/" + resourceGroup + "/providers/" + std::string(type) +
         "/" + name;
}

inline std::string azureResourceNotFound(std::string_view type, const std::string& name,
                                         const std::string& subscription) {
  return "The Resource '" + std::string(type) + "/" + name + "' was not found in subscription '" + subscription +
         "'.";
}

}  // namespace cloudbridge
