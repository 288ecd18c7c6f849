// The language server: reads requests and notifications, keeps the open lessons, answers,
// and publishes each lesson's diagnostics whenever its text changes.
#pragma once

#include <istream>
#include <map>
#include <ostream>
#include <string>

#include "lsp/lesson.h"
#include "lsp/protocol.h"

namespace vekora::lsp {

class Server {
public:
    explicit Server(std::ostream& out) : out_(out) {}

    // One message's body; false once the client has said "exit".
    bool Handle(const std::string& body);
    // 0 after "shutdown" then "exit", 1 after an "exit" alone.
    int ExitCode() const { return shutdown_ ? 0 : 1; }

    // The lesson open at uri, or null.
    Lesson* Find(const std::string& uri);

private:
    void Dispatch(const std::string& method, const Json& params, const Json* id);
    void Respond(const Json& id, const Json& result);
    void RespondError(const Json& id, int code, const std::string& message);
    void Notify(const std::string& method, const Json& params);
    void Publish(const std::string& uri);

    std::ostream& out_;
    std::map<std::string, Lesson> lessons_;
    bool shutdown_ = false;
};

// Serves the protocol on in and out until the client leaves; returns the exit code.
int RunLanguageServer(std::istream& in, std::ostream& out);

}  // namespace vekora::lsp
