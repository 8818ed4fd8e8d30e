// The web page's one way into the engine: a JSON call in, a JSON answer
// out, with the files the user opened held here by name. The same code runs
// natively (its tests) and as WebAssembly (wasm_exports.cpp); nothing here
// knows which.
//
// Calls, each an object with "command":
//   {"command": "pair", "request": {...}, "date": "2026-12-09 10:00"}
//     the single pair: the request (request_json.h) applied as the
//     command-line tool applies it, with the files taken from the store by
//     their paths. The answer holds the result texts, the tool's lines and
//     JSON, the series of the plots, the analysis, the readers' messages and
//     warnings, and the reproducing command, report and data CSV.
//   {"command": "columns", "file": "x.csv", "side": "emission"}
//     the column import's scan of a stored file for its dialog: the
//     preview, the columns, the side's choice, and whether a drop of that
//     file should offer the dialog rather than the reader by extension.
//   {"command": "pairs", "donors": [...], "acceptors": [...], "shared": {...},
//    "target_distance": "50", "sort": "r0"}
//     the pair table; each dye is {"file": "x.csv", "name": "X"} with,
//     optionally, "column" and "units" for the column import and "values"
//     (parameters by their table names, as in a request).
//   {"command": "parameters"}
//     every parameter as the table declares it, the solvent and optical
//     path lists, and the panel's start texts: the page's fields.
//   {"command": "gate", "runs": 1000}
//     the calculation gate run again on the last pair's engine: for timing.
// Every answer has "ok"; a call that cannot be read answers
// {"ok": false, "error": "..."}.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace korin {

class FretEngine;

class WebBoundary {
 public:
  WebBoundary();
  ~WebBoundary();
  WebBoundary(const WebBoundary&) = delete;
  WebBoundary& operator=(const WebBoundary&) = delete;

  // The bytes of a file the user opened, under the name requests use.
  void PutFile(std::string name, std::string bytes);
  void RemoveFile(const std::string& name);

  [[nodiscard]] std::string Call(std::string_view json);

  // The stored bytes of `name`, or null.
  [[nodiscard]] const std::string* File(const std::string& name) const;

 private:
  std::map<std::string, std::string, std::less<>> files_;
  // The engine of the last "pair" call, for "gate".
  std::unique_ptr<FretEngine> engine_;
};

}  // namespace korin
