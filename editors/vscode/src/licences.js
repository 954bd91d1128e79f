// Writes the licences of the packages bundled into dist/extension.js beside it.
const fs = require("node:fs");
const path = require("node:path");

const bundled = [
  "vscode-languageclient",
  "vscode-languageserver-protocol",
  "vscode-jsonrpc",
  "vscode-languageserver-types",
  "semver",
  "minimatch",
  "brace-expansion",
  "balanced-match",
];
const root = path.join(__dirname, "..");
const parts = bundled.map((name) => {
  const folder = path.join(root, "node_modules", name);
  const { version } = require(path.join(folder, "package.json"));
  const file = fs.readdirSync(folder).find((f) => /^licen[cs]e/i.test(f));
  return `${name} ${version}\n\n${fs.readFileSync(path.join(folder, file), "utf8").trim()}\n`;
});
fs.writeFileSync(path.join(root, "dist", "THIRD_PARTY_LICENSES.txt"), parts.join("\n---\n\n"));
