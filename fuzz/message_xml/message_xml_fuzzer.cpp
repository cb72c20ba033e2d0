// Message XML from a peer or a hand-written file: whatever the text, parsing fails cleanly or
// gives a message whose rendering reads back to the same message.
//
// Input: one byte that picks a registered type, then the XML text. The text is read both as
// that type (unserialize) and as whatever type its root element names (createFromXml).
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "platform/CNMessageBase.h"

namespace {

using fuzzsupport::require;

// A message that parsed renders to XML that parses as its type and renders the same again.
void checkRoundTrip(const CNMessageBase& parsed) {
  const std::string rendered = parsed.serialize();
  std::unique_ptr<CNMessageBase> again = parsed.type().make();
  require(!again->unserialize(rendered).IsFailure(), "a rendered message parses again");
  require(again->serialize() == rendered, "a rendered message reads back to the same XML");
  require(parsed.clone()->serialize() == rendered, "a copy renders like its original");
  // The masked rendering is what log lines show; it must be well formed too.
  CLmError ignored;
  require(CNMessageBase::createFromXml(parsed.AsString(), ignored) != nullptr, "the masked rendering parses");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const auto types = msg::registeredTypes();
  const std::string_view xml = fuzzsupport::asText(data + 1, size - 1);

  std::unique_ptr<CNMessageBase> chosen = types[data[0] % types.size()]->make();
  if (!chosen->unserialize(xml).IsFailure()) {
    checkRoundTrip(*chosen);
  } else {
    require(chosen->serialize() == chosen->type().make()->serialize(), "a failed parse leaves the message empty");
  }

  CLmError error;
  if (std::unique_ptr<CNMessageBase> named = CNMessageBase::createFromXml(xml, error)) {
    require(!error.IsFailure(), "a parsed message comes without a failure");
    checkRoundTrip(*named);
  } else {
    require(error.IsFailure(), "a refused text comes with a failure");
  }
  return 0;
}
