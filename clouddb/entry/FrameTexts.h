#pragma once
// The frame's own log texts, written once.
namespace clouddb::entry::texts {

inline constexpr char kReceiveFailed[] = "ReceiveXMLMessage failed";
inline constexpr char kDisconnectReceived[] = "Received Disconnect request, Disconnecting Session";
inline constexpr char kIncorrectMessageType[] = "Received incorrect msgType [%s:%lu]";
inline constexpr char kSendFailedWithResponse[] = "Failed to send response. Error:[%s][%s]";
inline constexpr char kSendFailed[] = "Failed to send response. Error:[%s]";
inline constexpr char kNullMessage[] = "NULL Message received. Error:[%s]";
inline constexpr char kMessageReceived[] = "XML message received [%s]";
inline constexpr char kReturningResponse[] = "Returning response XML [%s]";
inline constexpr char kNoMessageArrived[] = "no message arrived";

}  // namespace clouddb::entry::texts
