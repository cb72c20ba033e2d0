#include "platform/config/OracleCloudInstance.h"

using config::InstanceRecord;

OracleCloudInstance::OracleCloudInstance(std::uint64_t instanceId)
    : Instance(instanceId, config::InstanceKind::OracleCloud, std::nullopt) {}

int OracleCloudInstance::getEndpointURL(std::string& url, void*) const { return read(&InstanceRecord::endpointUrl, url); }

int OracleCloudInstance::getUserName(std::string& userName, void*) const {
  return read(&InstanceRecord::userName, userName);
}

int OracleCloudInstance::getUserPassword(std::string& password, void*) const {
  return read(&InstanceRecord::userPassword, password);
}

OracleCloudInfraInstance::OracleCloudInfraInstance(std::uint64_t instanceId)
    : Instance(instanceId, config::InstanceKind::OracleCloudInfra, std::nullopt) {}

int OracleCloudInfraInstance::getOracleCloudInfrastructureTenancyId(std::string& tenancyId, void*) const {
  return read(&InstanceRecord::tenancyId, tenancyId);
}

int OracleCloudInfraInstance::getOracleCloudInfrastructurePrivateKeyPassword(std::string& password, void*) const {
  return read(&InstanceRecord::privateKeyPassword, password);
}

int OracleCloudInfraInstance::getOracleCloudInfrastructureUserId(std::string& userId, void*) const {
  return read(&InstanceRecord::userId, userId);
}

int OracleCloudInfraInstance::getOracleCloudInfrastructurePrivateKeyFileName(std::string& fileName, void*) const {
  return read(&InstanceRecord::privateKeyFileName, fileName);
}

int OracleCloudInfraInstance::getOracleCloudInfrastructureFingerPrint(std::string& fingerprint, void*) const {
  return read(&InstanceRecord::fingerprint, fingerprint);
}

int OracleCloudInfraInstance::getOracleCloudInfrastructureRegionName(std::string& regionName, void*) const {
  return read(&InstanceRecord::regionName, regionName);
}
