#include "ScenarioAzurePeers.h"

#include <rapidjson/document.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenarios {
namespace {

constexpr char kAzuritePortMarker[] = "${azuritePort}";
constexpr char kCosmosEndpointMarker[] = "${cosmosEndpoint}";

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    throw std::runtime_error(path + ": cannot be read");
  }
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A fixture that names a peer the scenario does not start would send the host nowhere.
void refuseUnstarted(const std::string& text, const std::string& marker, bool started, const std::string& file) {
  if (!started && text.find(marker) != std::string::npos) {
    throw std::runtime_error(file + " uses " + marker + " but the scenario's azurePeers does not start that peer");
  }
}

void replaceAll(std::string& text, const std::string& marker, const std::string& value) {
  for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size())) {
    text.replace(at, marker.size(), value);
  }
}

}  // namespace

ScenarioAzurePeers::ScenarioAzurePeers(const Scenario& scenario, const testsupport::ScratchDir& scratch) {
  const AzurePeersPlan& plan = scenario.azurePeers.value();
  std::string fixture = fileText(scenario.cloudFile);
  refuseUnstarted(fixture, kAzuritePortMarker, plan.azuriteTables.has_value(), scenario.cloudFile);
  refuseUnstarted(fixture, kCosmosEndpointMarker, plan.cosmos, scenario.cloudFile);
  const std::string folder = scratch.file("azure-peers");
  std::filesystem::create_directories(folder);
  if (plan.azuriteTables) {
    azurite_ = std::make_unique<testsupport::AzuriteTablePeer>(folder);
    azurite_->createTables(*plan.azuriteTables);
    replaceAll(fixture, kAzuritePortMarker, std::to_string(azurite_->port()));
  }
  if (plan.cosmos) {
    pki_ = testsupport::makeTestPki(folder);
    cosmos_ = std::make_unique<testsupport::CosmosPeer>(folder, *pki_);
    replaceAll(fixture, kCosmosEndpointMarker, cosmos_->endpoint());
    seedCosmos(fixture);
  }
  cloudFile_ = scratch.file("cloud.json");
  std::ofstream(cloudFile_) << fixture;
}

std::vector<std::string> ScenarioAzurePeers::hostOptions() const {
  std::vector<std::string> options{"--cloud", cloudFile_};
  if (pki_) {
    options.insert(options.end(), {"--https-ca", pki_->caCertificateFile});
  }
  return options;
}

// Every database account's databases and containers, into the one peer.
void ScenarioAzurePeers::seedCosmos(const std::string& fixtureText) const {
  rapidjson::Document fixture;
  fixture.Parse(fixtureText.c_str());
  if (fixture.HasParseError() || !fixture.IsObject() || !fixture.HasMember("accounts") ||
      !fixture["accounts"].IsArray()) {
    throw std::runtime_error("the cloud fixture has no 'accounts' list to seed the Cosmos DB peer from");
  }
  const auto elements = [](const rapidjson::Value& object, const char* name) {
    std::vector<const rapidjson::Value*> items;
    if (object.IsObject() && object.HasMember(name) && object[name].IsArray()) {
      for (const rapidjson::Value& item : object[name].GetArray()) items.push_back(&item);
    }
    return items;
  };
  for (const rapidjson::Value* account : elements(fixture, "accounts")) {
    for (const rapidjson::Value* databaseAccount : elements(*account, "databaseAccounts")) {
      for (const rapidjson::Value* database : elements(*databaseAccount, "databases")) {
        if (!database->IsObject() || !database->HasMember("name") || !(*database)["name"].IsString()) {
          throw std::runtime_error("a database of the cloud fixture has no name");
        }
        const std::string name = (*database)["name"].GetString();
        cosmos_->createDatabase(name);
        for (const rapidjson::Value* container : elements(*database, "containers")) {
          if (!container->IsString()) {
            throw std::runtime_error("a container of database " + name + " in the cloud fixture is not a name");
          }
          cosmos_->createContainer(name, container->GetString());
        }
      }
    }
  }
}

}  // namespace scenarios
