#pragma once
// App::CloudDBEngineType: the host's engine-type enumeration that browse and inventory requests
// carry. The library takes a value from a request and hands it unchanged to the relational
// providers, each of which serves some of them (instances: 1, 3, 5; Aurora clusters: 2, 4).
namespace App {

enum CloudDBEngineType : int {
  CLOUDDB_ENGINE_ANY = 0,
  CLOUDDB_ENGINE_POSTGRESQL = 1,
  CLOUDDB_ENGINE_AURORA_POSTGRESQL = 2,
  CLOUDDB_ENGINE_MYSQL = 3,
  CLOUDDB_ENGINE_AURORA_MYSQL = 4,
  CLOUDDB_ENGINE_MARIADB = 5,
};

}  // namespace App
