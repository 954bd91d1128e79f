// Starts `tracciato lsp` for line and train descriptions; the server does the rest.
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client;

function activate() {
  const program = vscode.workspace.getConfiguration("tracciato").get("program") || "tracciato";
  client = new LanguageClient(
    "tracciato",
    "tracciato",
    { command: program, args: ["lsp"] },
    { documentSelector: [{ scheme: "file", language: "tracciato" }] },
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
