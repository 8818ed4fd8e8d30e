#include "request/request_json.h"

#include <nlohmann/json.hpp>

namespace korin {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kHexDigits = "0123456789abcdef";

// Whether `text` is well-formed UTF-8, which JSON strings must be.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80           ? 1
                               : (c >> 5) == 0x6  ? 2
                               : (c >> 4) == 0xE  ? 3
                               : (c >> 3) == 0x1E ? 4
                                                  : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

// File names need not be UTF-8: such a path travels as "path_hex", its
// bytes in hexadecimal, so that it arrives byte for byte.
Json SpectrumJson(const SpectrumRequest& spectrum) {
  if (IsUtf8(spectrum.path)) return Json{{"path", spectrum.path}};
  std::string hex;
  for (const char c : spectrum.path) {
    hex += kHexDigits[static_cast<unsigned char>(c) >> 4];
    hex += kHexDigits[static_cast<unsigned char>(c) & 0xF];
  }
  return Json{{"path_hex", hex}};
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const auto high = kHexDigits.find(hex[i]);
    const auto low = kHexDigits.find(hex[i + 1]);
    if (high == std::string_view::npos || low == std::string_view::npos) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

// Reads {"path": "..."} or {"path_hex": "..."}; `side` names it in errors.
bool ReadSpectrum(const Json& json, std::string_view side, SpectrumRequest& spectrum,
                  std::string& error) {
  if (!json.is_object()) {
    error = std::string(side) + " must be an object";
    return false;
  }
  for (const auto& [key, value] : json.items()) {
    if (key != "path" && key != "path_hex") {
      error = std::string(side) + " has no key '" + key + "'";
      return false;
    }
    const std::optional<std::string> path = !value.is_string() ? std::nullopt
                                            : key == "path"    ? value.get<std::string>()
                                                               : FromHex(value.get<std::string>());
    if (!path) {
      error = std::string(side) + "." + key + " must be a string" +
              (key == "path" ? "" : " of hexadecimal digit pairs");
      return false;
    }
    spectrum.path = *path;
  }
  return true;
}

bool ReadParameters(const Json& json, FretRequest& request, std::string& error) {
  if (!json.is_object()) {
    error = "parameters must be an object";
    return false;
  }
  for (const auto& [key, value] : json.items()) {
    const ParameterDeclaration* declared = DeclarationNamed(key);
    if (declared == nullptr) {
      error = "there is no parameter '" + key + "'";
      return false;
    }
    std::vector<std::string> texts;
    if (declared->values == 1 && value.is_string()) {
      texts.push_back(value.get<std::string>());
    } else if (declared->values > 1 && value.is_array() &&
               value.size() == static_cast<std::size_t>(declared->values)) {
      for (const Json& text : value) {
        if (!text.is_string()) break;
        texts.push_back(text.get<std::string>());
      }
    }
    if (texts.size() != static_cast<std::size_t>(declared->values)) {
      error = declared->values == 1 ? "parameter '" + key + "' must be a string"
                                    : "parameter '" + key + "' must be an array of " +
                                          std::to_string(declared->values) + " strings";
      return false;
    }
    request.Set(declared->id, std::move(texts));
  }
  return true;
}

Json RequestObject(const FretRequest& request) {
  Json json;
  if (request.emission.Given()) json["emission"] = SpectrumJson(request.emission);
  if (request.absorption.Given()) json["absorption"] = SpectrumJson(request.absorption);
  Json parameters = Json::object();
  for (const ParameterDeclaration& declared : ParameterTable()) {
    const auto values = request.Values(declared.id);
    if (values.empty()) continue;
    if (declared.values == 1) {
      parameters[declared.name] = values.front();
    } else {
      parameters[declared.name] = Json(std::vector<std::string>(values.begin(), values.end()));
    }
  }
  json["parameters"] = std::move(parameters);
  return json;
}

// A parameter's text need not be UTF-8 either (a column named in another
// encoding); it is replaced rather than refused.
std::string Dumped(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<FretRequest> ReadRequest(const Json& json, std::string& error) {
  if (!json.is_object()) {
    error = "the request is not a JSON object";
    return std::nullopt;
  }
  FretRequest request;
  for (const auto& [key, value] : json.items()) {
    bool ok = false;
    if (key == "emission") {
      ok = ReadSpectrum(value, key, request.emission, error);
    } else if (key == "absorption") {
      ok = ReadSpectrum(value, key, request.absorption, error);
    } else if (key == "parameters") {
      ok = ReadParameters(value, request, error);
    } else {
      error = "the request has no key '" + key + "'";
    }
    if (!ok) return std::nullopt;
  }
  return request;
}

// A path among the drawing's settings: a string when it is UTF-8, else
// {"path_hex": ...} as a spectrum's.
Json PathValue(const std::string& path) {
  Json spectrum = SpectrumJson({path, std::nullopt});
  return spectrum.contains("path") ? spectrum["path"] : spectrum;
}

bool ReadDrawing(const Json& json, DrawingRequest& drawing, std::string& error) {
  if (!json.is_object()) {
    error = "drawing must be an object";
    return false;
  }
  for (const auto& [key, value] : json.items()) {
    std::string* path = key == "plot"          ? &drawing.plot
                        : key == "report_pdf"  ? &drawing.report_pdf
                        : key == "report_plot" ? &drawing.report_plot
                        : key == "date"        ? &drawing.date
                                               : nullptr;
    int* number = key == "plot_dpi"      ? &drawing.plot_dpi
                  : key == "plot_width"  ? &drawing.plot_width
                  : key == "plot_height" ? &drawing.plot_height
                                         : nullptr;
    if (path != nullptr && value.is_object() && key != "date") {
      SpectrumRequest read;
      if (!ReadSpectrum(value, "drawing." + key, read, error)) return false;
      *path = read.path;
    } else if (path != nullptr && value.is_string()) {
      *path = value.get<std::string>();
    } else if (number != nullptr && value.is_number_integer()) {
      *number = value.get<int>();
    } else if (key == "replace" && value.is_boolean()) {
      drawing.replace = value.get<bool>();
    } else {
      error = "drawing." + key + " is not a setting of the drawing, or has the wrong type";
      return false;
    }
  }
  return true;
}

}  // namespace

std::string RequestToJson(const FretRequest& request) {
  return Dumped(RequestObject(request));
}

std::optional<FretRequest> RequestFromJson(std::string_view text, std::string& error) {
  return ReadRequest(Json::parse(text, nullptr, false), error);
}

std::string DrawingJobToJson(const DrawingJob& job) {
  const DrawingRequest& d = job.drawing;
  Json drawing{{"plot", PathValue(d.plot)},
               {"plot_dpi", d.plot_dpi},
               {"plot_width", d.plot_width},
               {"plot_height", d.plot_height},
               {"report_pdf", PathValue(d.report_pdf)},
               {"report_plot", PathValue(d.report_plot)},
               {"replace", d.replace},
               {"date", d.date}};
  return Dumped(Json{{"request", RequestObject(job.request)}, {"drawing", std::move(drawing)}});
}

std::optional<DrawingJob> DrawingJobFromJson(std::string_view text, std::string& error) {
  const Json json = Json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_object() || !json.contains("request") ||
      !json.contains("drawing") || json.size() != 2) {
    error = "the drawing job is not a JSON object with a request and a drawing";
    return std::nullopt;
  }
  std::optional<FretRequest> request = ReadRequest(json["request"], error);
  if (!request) return std::nullopt;
  DrawingJob job{std::move(*request), {}};
  if (!ReadDrawing(json["drawing"], job.drawing, error)) return std::nullopt;
  return job;
}

}  // namespace korin
