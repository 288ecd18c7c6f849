// Requests to answers: the method table of the server.
#include "lsp/server.h"

#include "lsp/features.h"
#include "lsp/transport.h"

namespace vekora::lsp {
namespace {

// JSON-RPC and LSP error codes.
constexpr int ParseError = -32700, MethodNotFound = -32601, InvalidParams = -32602, RequestFailed = -32803;
constexpr int FullSync = 1;

std::string Dump(const Json& message) { return message.dump(-1, ' ', false, Json::error_handler_t::replace); }

std::string UriOf(const Json& params) { return params.value("textDocument", Json::object()).value("uri", std::string()); }

Json Capabilities() {
    return Json{{"textDocumentSync", Json{{"openClose", true}, {"change", FullSync}}},
                {"completionProvider", Json{{"triggerCharacters", Json::array({" ", ","})}}},
                {"signatureHelpProvider", Json{{"triggerCharacters", Json::array({" ", ","})}}},
                {"hoverProvider", true},
                {"definitionProvider", true},
                {"referencesProvider", true},
                {"renameProvider", true},
                {"documentSymbolProvider", true},
                {"codeActionProvider", Json{{"codeActionKinds", Json::array({"quickfix"})}}},
                {"semanticTokensProvider", Json{{"legend", SemanticTokenLegend()}, {"full", true}}}};
}

}  // namespace

Lesson* Server::Find(const std::string& uri) {
    const auto it = lessons_.find(uri);
    return it == lessons_.end() ? nullptr : &it->second;
}

bool Server::Handle(const std::string& body) {
    const Json message = Json::parse(body, nullptr, false);
    if (message.is_discarded() || !message.is_object()) {
        RespondError(nullptr, ParseError, "not a JSON object");
        return true;
    }
    const std::string method = message.value("method", std::string());
    if (method == "exit") return false;
    Json params = message.value("params", Json::object());
    if (params.is_null()) params = Json::object();  // "params": null, as some clients send with shutdown
    const auto id = message.find("id");
    if (method.empty()) return true;  // a response to a request of ours: none are sent
    try {
        Dispatch(method, params, id == message.end() ? nullptr : &*id);
    } catch (const Json::exception& error) {
        // Params of the wrong shape: answered as such, the server goes on.
        if (id != message.end()) RespondError(*id, InvalidParams, error.what());
    }
    return true;
}

void Server::Dispatch(const std::string& method, const Json& params, const Json* id) {
    const std::string uri = UriOf(params);
    if (method == "initialize") {
        Respond(*id, Json{{"capabilities", Capabilities()}, {"serverInfo", Json{{"name", "vekora"}}}});
        return;
    }
    if (method == "shutdown") {
        shutdown_ = true;
        Respond(*id, nullptr);
        return;
    }
    if (method == "textDocument/didOpen") {
        lessons_[uri].SetText(params.at("textDocument").value("text", std::string()));
        Publish(uri);
        return;
    }
    if (method == "textDocument/didChange") {
        const Json& changes = params.at("contentChanges");
        if (!changes.empty()) {
            lessons_[uri].SetText(changes.back().value("text", std::string()));  // full sync: the last is the text
            Publish(uri);
        }
        return;
    }
    if (method == "textDocument/didClose") {
        lessons_.erase(uri);
        Notify("textDocument/publishDiagnostics", Json{{"uri", uri}, {"diagnostics", Json::array()}});
        return;
    }
    if (id == nullptr) return;  // other notifications: initialized, didSave, $/...
    Lesson* lesson = Find(uri);
    if (lesson == nullptr) {
        if (method.rfind("textDocument/", 0) == 0) Respond(*id, nullptr);
        else RespondError(*id, MethodNotFound, "unknown method " + method);
        return;
    }
    if (method == "textDocument/completion") Respond(*id, Completion(*lesson, params));
    else if (method == "textDocument/signatureHelp") Respond(*id, SignatureHelp(*lesson, params));
    else if (method == "textDocument/hover") Respond(*id, Hover(*lesson, params));
    else if (method == "textDocument/definition") Respond(*id, Definition(*lesson, params, uri));
    else if (method == "textDocument/references") Respond(*id, References(*lesson, params, uri));
    else if (method == "textDocument/documentSymbol") Respond(*id, DocumentSymbols(*lesson));
    else if (method == "textDocument/semanticTokens/full") Respond(*id, SemanticTokens(*lesson));
    else if (method == "textDocument/codeAction") Respond(*id, CodeActions(*lesson, params, uri));
    else if (method == "textDocument/rename") {
        std::string refusal;
        const Json edit = Rename(*lesson, params, uri, refusal);
        if (refusal.empty()) Respond(*id, edit);
        else RespondError(*id, RequestFailed, refusal);
    } else {
        RespondError(*id, MethodNotFound, "unknown method " + method);
    }
}

void Server::Respond(const Json& id, const Json& result) {
    WriteMessage(out_, Dump(Json{{"jsonrpc", "2.0"}, {"id", id}, {"result", result}}));
}

void Server::RespondError(const Json& id, int code, const std::string& message) {
    WriteMessage(out_, Dump(Json{{"jsonrpc", "2.0"}, {"id", id}, {"error", Json{{"code", code}, {"message", message}}}}));
}

void Server::Notify(const std::string& method, const Json& params) {
    WriteMessage(out_, Dump(Json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}));
}

void Server::Publish(const std::string& uri) {
    Notify("textDocument/publishDiagnostics", Json{{"uri", uri}, {"diagnostics", DiagnosticsJson(lessons_.at(uri))}});
}

int RunLanguageServer(std::istream& in, std::ostream& out) {
    Server server(out);
    while (const std::optional<std::string> body = ReadMessage(in)) {
        if (!server.Handle(*body)) return server.ExitCode();
    }
    return 1;  // the stream ended without "exit"
}

}  // namespace vekora::lsp
