#pragma once
// `clouddb-host explain`: why is this database in my backup, and why is that one not?
//
// For a content document and the instance it is meant for (or a backup set of the platform
// configuration, whose content and instance are then read from it), the host previews each rule
// on its own and then the whole document, through BrowseInventoryHandler exactly as the console
// would, and shows:
//  - each rule in order with the databases it selects on its own, and what the regions
//    constraint did to it (the preview's own log lines about the constraint) or its error;
//  - the result of the whole document, each database with the rules that select it, and the
//    duplicates the merge removed;
//  - the databases a rule selects on its own that the whole document leaves out (a negated rule
//    removed them);
//  - the regions constraint in force (the instance's configured regions).
// It uses the exported entry point only, never the product's insides. Output: a readable table,
// or one JSON object with --format json.
#include <span>
#include <string>

namespace host {

std::string explainHelp();
int runExplainCommand(std::span<const std::string> arguments);

}  // namespace host
