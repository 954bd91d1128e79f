# cmake -DOUTPUT=<file.cpp> -DSTYLE=<file.css> -DSCRIPT=<file.js> -P embed_report_assets.cmake
# Writes the report page's style sheet and script into a source file as raw strings.
file(READ ${STYLE} style)
file(READ ${SCRIPT} script)
string(FIND "${style}${script}" ")tracciato_asset" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "an embedded asset holds the raw string's closing delimiter")
endif()
file(WRITE ${OUTPUT}.new
  "// Generated from ${STYLE} and ${SCRIPT}; edit those.\n"
  "#include \"commands/report/report_assets.h\"\n\n"
  "namespace tracciato {\n\n"
  "const std::string_view kReportStyle = R\"tracciato_asset(${style})tracciato_asset\";\n\n"
  "const std::string_view kReportScript = R\"tracciato_asset(${script})tracciato_asset\";\n\n"
  "}  // namespace tracciato\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
