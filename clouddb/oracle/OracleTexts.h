#pragma once
// The Oracle Cloud subsystem's log lines and error texts, written once.
namespace clouddb::oracle::texts {

// Log lines shared by every operation.
inline constexpr char kStart[] = "Start >>>";
inline constexpr char kEnd[] = "End <<<";
inline constexpr char kInstanceIdNotSet[] = "Instance id is not set in the request [%lu]";
// The cloud's own words for the failure just logged, so that a person can act on it.
inline constexpr char kCloudReason[] = "Oracle Cloud reported [%s]";

// COracleCloudDBInfo::Connect.
inline constexpr char kConnecting[] = "Connecting to Url=[%s], user name[%s]";
inline constexpr char kConnectionSuccessful[] = "Connection Successful";
inline constexpr char kConnectFailed[] = "OracleCloudSDKCppBridge::ConnectToPAAS failed";

// The thin wrappers.
inline constexpr char kDbInfoFailed[] = "Failed to fetch DB Info for db service [%s]";
inline constexpr char kDbInfoListFailed[] = "Failed to fetch DB Info list.";
inline constexpr char kCreateFailed[] = "Failed to create db service [%s]";
inline constexpr char kDeleteFailed[] = "Failed to delete db service [%s]";
inline constexpr char kScaleFailed[] = "Failed to scale db service [%s]";
inline constexpr char kStartFailed[] = "Failed to start db service [%s]";
inline constexpr char kStopFailed[] = "Failed to stop db service [%s]";
inline constexpr char kRestartFailed[] = "Failed to restart db service [%s]";
inline constexpr char kJavaListFailed[] = "Failed to fetch Java Info list.";
inline constexpr char kMySQLListFailed[] = "Failed to fetch MySQL Info list.";
inline constexpr char kCompartmentsFailed[] = "Failed to get compartment list.";
inline constexpr char kDbSystemsFailed[] = "Failed to get dbsystem list for compartment [%s]";
inline constexpr char kDbHomesFailed[] = "Failed to get dbhome list for dbSystem [%s][%s]";
inline constexpr char kDatabasesFailed[] = "Failed to get database list for dbhome [%s][%s]";

// The OCI walk and the OCI content expansion.
inline constexpr char kCompartmentInfoListFailed[] = "Failed to fetch compartment Info list.";
inline constexpr char kDbSystemInfoListFailed[] = "Failed to fetch dbSystem Info list.";
inline constexpr char kDbHomeInfoListFailed[] = "Failed to fetch dbHome Info list.";
inline constexpr char kOciDatabaseInfoListFailed[] = "Failed to fetch oci database Info list.";
inline constexpr char kBrowseViewNotSupported[] = "Browse view [%d] not supported.";

// GetOracleCloudInstanceTree.
inline constexpr char kTreeInstanceIdNotSet[] = "Instance id is not set in the request";
inline constexpr char kBrowsePathNotSet[] = "Browse path is not set in the request [%s]";
inline constexpr char kOciConnectFailed[] = "Failed to connect to OCI server.";
inline constexpr char kTreeCompartmentsFailed[] = "Failed to get compartments from OCI server.";
inline constexpr char kTreeDbSystemsFailed[] = "Failed to fetch dbSystem Info list from OCI server.";
inline constexpr char kTreeDbHomesFailed[] = "Failed to fetch dbHome Info list from OCI server.";
inline constexpr char kTreeDatabasesFailed[] = "Failed to fetch oci database Info list from OCI server.";
inline constexpr char kInvalidBrowsePath[] = "Invalid browse path [%s].";

// GetOracleCloudInstanceList.
inline constexpr char kClassicConnectFailed[] = "Failed to connect to Oracle Cloud at [%s] as user [%s]";
inline constexpr char kInstanceListFailed[] = "failed to get instance list from Oracle Cloud";

// ExpandOCIDatabaseSubclientContent.
inline constexpr char kDiscoverInstances[] = "Discover Instances for [%lu] [%lu]";
inline constexpr char kSubclientIdNotSet[] = "Subclient id is not set in the request [%lu]";
inline constexpr char kInstanceIdInvalid[] = "Instance Id is invalid.";
inline constexpr char kSubclientIdInvalid[] = "Subclient Id is invalid.";
inline constexpr char kContentEmpty[] = "Subclient Content is empty";
inline constexpr char kContentUnparsable[] =
    "Error parsing Subclient Content. Verify if the subclient content is set correctly.";
inline constexpr char kContentIs[] = "Subclient Content is [%s]";
inline constexpr char kConnectionFailed[] = "Connection to Oracle Cloud Failed";
inline constexpr char kAddedDb[] = "Added DB [%s] [%s] [%s] [%s] [%s]";
inline constexpr char kPathForDiscover[] = "Path for discover [%s]";
inline constexpr char kSelectedAll[] = "Selected all";
inline constexpr char kEmptyPath[] = "Empty path for subcleint content.";
inline constexpr char kDbPathNotSet[] = "DB discover path not set.";
inline constexpr char kLevelNotSupported[] = "Subclent browse level not supported";

// CloudDBMsgHandler.
inline constexpr char kConnectFailedShort[] = "Connect failed";
inline constexpr char kQuerySettingsFailed[] = "QuerySettingsForInstance Failed";
inline constexpr char kNoDbConfiguration[] = "DB Configuration tag is not found, invalid XML";
inline constexpr char kGetPublicKeyFailed[] = "GetPubicKey failed for key name [%s]";
inline constexpr char kCreateDbInstanceFailed[] = "CreateDBInstance failed";
inline constexpr char kComputeNodesFailed[] = "GetComputeNodeList failed for service [%s]";
inline constexpr char kComputeNodeHost[] = "Compute Node HostName [%s]";
inline constexpr char kComputeNodeIp[] = "IP [%s]";
inline constexpr char kComputeNodePort[] = "PORT [%d]";
inline constexpr char kInvalidCapacity[] =
    "Service capacity [%s] must be a whole number between -2147483648 and 2147483647";

// GetPublicKey.
inline constexpr char kCurlInitFailed[] = "Failed to Initialize Curl Library";
inline constexpr char kSendFailed[] = "KWLibCurlSendHttpReq failed.";
inline constexpr char kNoAuthToken[] = "Unable to get auth token.";
inline constexpr char kAcceptHeaderFailed[] = "KWLibCurlAppendHeader set content-type failed";
inline constexpr char kCookieHeaderFailed[] = "Failed to set CURL Cookie header";
inline constexpr char kKeyResponseEmpty[] = "Get key value ssh response is empty";
inline constexpr char kKeyResponseNotJson[] = "JSON unserialize failed for response [%s]";
inline constexpr char kPublicKeyEmpty[] = "Public key value is empty. Failed to fetch public key value for [%s]";
inline constexpr char kKeyNameNotAPath[] = "Key name [%s] names no key path: a \".\" or \"..\" piece would leave it";
inline constexpr char kHttpFailureReason[] = "HTTP exchange with [%s] failed: [%s]";

}  // namespace clouddb::oracle::texts
