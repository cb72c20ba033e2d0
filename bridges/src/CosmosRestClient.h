#pragma once
// Lists the databases of a Cosmos DB account, or the containers of one database, through the
// account's REST interface: signed GET requests over HTTPS, page after page while the service
// hands back a continuation. The answers are outside input, so each is bounded in size, the
// whole listing in pages and time, and anything malformed fails the listing.
#include <optional>
#include <string>
#include <vector>

#include "SimulatorAccess.h"

namespace cloudbridge {

// What one listing asks for.
struct CosmosFeed {
  std::string resourceType;  // "dbs" or "colls"
  std::string resourceLink;  // "" for the databases, "dbs/DB" for a database's containers
  std::string path;          // below the account address: "dbs", "dbs/DB/colls" (encoded)
  const char* arrayName;     // "Databases" or "DocumentCollections"
};

CosmosFeed databasesFeed();
// nullopt for a name no database can have (empty, too long, or with "/", "\", "?" or "#").
std::optional<CosmosFeed> containersFeed(const std::string& database);

// The host of an "https://host[:port]/" address, for the network check; "" when there is none.
std::string cosmosServiceHost(const std::string& accountAddress);

// Fills ids with every page's ids in the order served (emptied first), or says why it failed.
cloudsim::CallFailure listCosmosFeed(const std::string& accountAddress, const std::string& key,
                                     const CosmosFeed& feed, std::vector<std::string>& ids);

}  // namespace cloudbridge
