// The language server's messages on a byte stream: each a JSON text after a header of
// "Content-Length: N" and a blank line (CR LF line ends), as JSON-RPC over standard I/O goes.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace vekora::lsp {

// The body of the next message; empty optional at the end of the stream or on a header
// without a length, which ends the conversation.
std::optional<std::string> ReadMessage(std::istream& in);
void WriteMessage(std::ostream& out, const std::string& body);

}  // namespace vekora::lsp
