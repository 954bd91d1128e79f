-- tracciato's language server for line and train descriptions in Neovim 0.7 and later.
-- Put this file in ~/.config/nvim/lua/ and add `require("tracciato")` to init.lua, or
-- copy its lines there. `tracciato` must be on PATH, or set vim.g.tracciato_program.
--
-- Descriptions are Windows-1252: they are read and written as such, whatever
-- 'fileencodings' says for other files.

local patterns = { "*_linea.txt", "*-.txt" }
local group = vim.api.nvim_create_augroup("tracciato", { clear = true })

-- 'fileencodings' is global: narrowed for the read of a description, then restored.
local saved_encodings
vim.api.nvim_create_autocmd("BufReadPre", {
  group = group,
  pattern = patterns,
  callback = function()
    saved_encodings = vim.o.fileencodings
    vim.o.fileencodings = "cp1252"
  end,
})
-- A description read or new: written back as Windows-1252, and served.
vim.api.nvim_create_autocmd({ "BufReadPost", "BufNewFile" }, {
  group = group,
  pattern = patterns,
  callback = function()
    if saved_encodings then
      vim.o.fileencodings = saved_encodings
      saved_encodings = nil
    end
    vim.bo.fileencoding = "cp1252"
    vim.bo.filetype = "tracciato"
  end,
})

-- One server for every description. Neovim 0.8 and later can write the same with
-- vim.lsp.start{ name = "tracciato", cmd = { "tracciato", "lsp" } } in the FileType
-- callback.
local client_id
vim.api.nvim_create_autocmd("FileType", {
  group = group,
  pattern = "tracciato",
  callback = function(args)
    if not client_id or vim.lsp.client_is_stopped(client_id) then
      client_id = vim.lsp.start_client({
        name = "tracciato",
        cmd = { vim.g.tracciato_program or "tracciato", "lsp" },
        root_dir = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(args.buf), ":p:h"),
      })
    end
    if client_id then
      vim.lsp.buf_attach_client(args.buf, client_id)
    end
  end,
})
