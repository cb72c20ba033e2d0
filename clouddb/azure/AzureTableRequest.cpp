#include "clouddb/azure/AzureTableRequest.h"

#include "clouddb/azure/AzureTableHeaders.h"
#include "platform/KWLibCurl.h"

std::string AzureTableRequest::toString() const {
  std::string text = KWLibCurl::GetHttpReqTypeString(method);
  text += ' ';
  text += host + path + query + '\n';
  for (const auto& [name, value] : headers) {
    text += name + ":  " + azureheaders::shownValue(name, value) + '\n';
  }
  text += '\n';
  text += body + '\n';
  return text;
}
