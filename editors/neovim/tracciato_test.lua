-- Neovim's own LSP client with tracciato's set-up, headless: a description pair with a
-- mistyped keyword in the line and a train without its cars row opens, its diagnostics
-- arrive at the right place, an edit that fixes the keyword clears it, and hover and
-- document symbols answer.
--   nvim --headless -u NONE -i NONE -n -c "luafile tracciato_test.lua"
-- with TRACCIATO_EXE (the program) and TRACCIATO_TEST_DIR (an empty folder) set.

local program = assert(os.getenv("TRACCIATO_EXE"), "TRACCIATO_EXE is not set")
local dir = assert(os.getenv("TRACCIATO_TEST_DIR"), "TRACCIATO_TEST_DIR is not set")
local here = debug.getinfo(1, "S").source:sub(2):match("(.*/)") or "./"

local failures = 0
local function check(ok, what)
  if not ok then
    failures = failures + 1
    io.stderr:write("FAILED: " .. what .. "\n")
  end
end

local function wait_for(what, condition)
  check(vim.wait(20000, condition, 50), "timed out waiting for " .. what)
end

local function line_of(file, pattern)
  local n = 0
  for line in io.lines(file) do
    if line:find(pattern) then
      return n
    end
    n = n + 1
  end
end

local function rewrite(file, from, to)
  local f = assert(io.open(file, "rb"))
  local text = f:read("a")
  f:close()
  f = assert(io.open(file, "wb"))
  f:write((text:gsub(from, to, 1)))
  f:close()
end

local function lsp_code(d)
  return d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code)
end

local function run()
  vim.fn.system({ program, "export", "--out", dir })
  assert(vim.v.shell_error == 0, "export failed")
  local line = vim.fn.glob(dir .. "/*_linea.txt")
  local train = vim.fn.glob(dir .. "/*-.txt")
  rewrite(line, "\npendenza,", "\npendnza,")
  rewrite(train, "\nnumero vetture[^\r\n]*\r?\n", "\n")
  local mistyped = line_of(line, "^pendnza,")

  vim.g.tracciato_program = program
  dofile(here .. "tracciato.lua")

  vim.cmd("edit " .. vim.fn.fnameescape(line))
  local line_buf = vim.api.nvim_get_current_buf()
  check(vim.bo.fileencoding == "cp1252", "the line is read as Windows-1252, not " .. vim.bo.fileencoding)
  wait_for("the line's diagnostics", function()
    return #vim.diagnostic.get(line_buf) > 0
  end)
  local found = vim.diagnostic.get(line_buf)[1] or {}
  check(found.lnum == mistyped, "the mistyped keyword is flagged on line " .. tostring(mistyped) ..
    ", not " .. tostring(found.lnum))
  check(found.col == 0 and found.end_col == 7, "the diagnostic spans the keyword")
  check(found.severity == vim.diagnostic.severity.WARN, "a mistyped keyword is a warning")
  check((found.message or ""):find('did you mean "pendenza"', 1, true) ~= nil, "the hint is shown")

  vim.cmd("edit " .. vim.fn.fnameescape(train))
  local train_buf = vim.api.nvim_get_current_buf()
  wait_for("the train's diagnostics", function()
    return #vim.diagnostic.get(train_buf) > 0
  end)
  local cars = vim.diagnostic.get(train_buf)[1] or {}
  check((cars.message or ""):find("cars", 1, true) ~= nil, "the missing cars row is told")

  vim.api.nvim_buf_set_text(line_buf, mistyped, 4, mistyped, 4, { "e" })
  wait_for("the fixed keyword's diagnostic to go", function()
    return #vim.diagnostic.get(line_buf) == 0
  end)

  local station = line_of(train, "^stazione")
  local hover = vim.lsp.buf_request_sync(train_buf, "textDocument/hover", {
    textDocument = { uri = vim.uri_from_bufnr(train_buf) },
    position = { line = station, character = 2 },
  }, 10000)
  local shown = ""
  for _, answer in pairs(hover or {}) do
    shown = shown .. vim.inspect(answer.result)
  end
  check(shown:find("station row", 1, true) ~= nil, "hover on a station tells its kind: " .. shown)

  local symbols = vim.lsp.buf_request_sync(train_buf, "textDocument/documentSymbol", {
    textDocument = { uri = vim.uri_from_bufnr(train_buf) },
  }, 10000)
  local listed = 0
  for _, answer in pairs(symbols or {}) do
    listed = listed + #(answer.result or {})
  end
  check(listed >= 25, "the outline lists the stations, signals and slowdowns: " .. listed)

  local diagnostic_with_code = false
  local error_line = line_of(line, "^lunghezza")
  vim.api.nvim_buf_set_lines(line_buf, error_line, error_line + 1, true,
    { "lunghezza percorso, 2000000" })
  wait_for("an error with its code", function()
    for _, d in ipairs(vim.diagnostic.get(line_buf)) do
      if d.severity == vim.diagnostic.severity.ERROR and lsp_code(d) then
        diagnostic_with_code = true
      end
    end
    return diagnostic_with_code
  end)
end

local ok, problem = pcall(run)
check(ok, tostring(problem))
for _, client in pairs(vim.lsp.get_active_clients()) do
  client.stop()
end
vim.cmd(failures == 0 and "qall!" or "cquit 1")
