// The TextMate grammar against an annotated sample: each expectation names a line of
// test/sample_linea.txt, a piece of its text and the scope that piece must get.
const assert = require("node:assert");
const fs = require("node:fs");
const path = require("node:path");
const test = require("node:test");
const oniguruma = require("vscode-oniguruma");
const textmate = require("vscode-textmate");

const here = __dirname;
const expectations = [
  [0, "[generale]", "entity.name.section.tracciato"],
  [1, "lunghezza percorso", "keyword.other.tracciato"],
  [1, "136000", "constant.numeric.tracciato"],
  [2, "progressiva chilometrica uno", "keyword.other.tracciato"],
  [2, "137350", "constant.numeric.tracciato"],
  [3, "-----------------------------------", "comment.line.tracciato"],
  [5, "curvad5", "keyword.other.tracciato"],
  [6, "-5", "constant.numeric.tracciato"],
  [7, "(Fine Ponte)", "string.unquoted.tracciato"],
  [8, "stazione", "keyword.other.tracciato"],
  [8, "CASTELVERSO", "string.unquoted.tracciato"],
  [8, ",", "punctuation.separator.tracciato"],
  [9, "45", "constant.numeric.tracciato"],
  [10, "[fine]", "entity.name.section.tracciato"],
];

async function load() {
  const wasm = fs.readFileSync(require.resolve("vscode-oniguruma/release/onig.wasm"));
  await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
  const registry = new textmate.Registry({
    onigLib: Promise.resolve({
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (s) => new oniguruma.OnigString(s),
    }),
    loadGrammar: async () => {
      const file = path.join(here, "..", "syntaxes", "tracciato.tmLanguage.json");
      return textmate.parseRawGrammar(fs.readFileSync(file, "utf8"), file);
    },
  });
  return registry.loadGrammar("source.tracciato");
}

function tokenize(grammar, lines) {
  let stack = textmate.INITIAL;
  return lines.map((line) => {
    const result = grammar.tokenizeLine(line, stack);
    stack = result.ruleStack;
    return result.tokens.map((t) => ({ text: line.slice(t.startIndex, t.endIndex), scopes: t.scopes }));
  });
}

test("each annotated piece of the sample gets its scope", async () => {
  const grammar = await load();
  const lines = fs.readFileSync(path.join(here, "sample_linea.txt"), "utf8").split(/\r?\n/);
  const tokens = tokenize(grammar, lines);
  for (const [line, text, scope] of expectations) {
    const token = tokens[line].find((t) => t.text === text);
    assert.ok(token, `line ${line}: no token "${text}" in ${JSON.stringify(tokens[line])}`);
    assert.ok(token.scopes.includes(scope), `line ${line}: "${text}" is ${token.scopes.join(" ")}, not ${scope}`);
  }
});

test("a number inside a text stays text", async () => {
  const grammar = await load();
  const [tokens] = tokenize(grammar, ["cartello_indicatore,  850,   (Km 12)"]);
  const text = tokens.find((t) => t.text === "(Km 12)");
  assert.ok(text && text.scopes.includes("string.unquoted.tracciato"), JSON.stringify(tokens));
});
