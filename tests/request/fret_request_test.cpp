#include "request/fret_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parameter_tables.h"
#include "request/request_json.h"

namespace korin {
namespace {

// Every parameter given, one of them twice-valued, and spectra with bytes
// that never travel in JSON.
FretRequest EveryParameter() {
  FretRequest request;
  request.emission = {"/data/dönor.csv", "480,1\n"};
  request.absorption = {"relative/acc eptor.sp", std::nullopt};
  for (const ParameterDeclaration& declared : ParameterTable()) {
    std::vector<std::string> values;
    for (int i = 0; i < declared.values; ++i) values.push_back(declared.name + std::to_string(i));
    request.Set(declared.id, std::move(values));
  }
  return request;
}

TEST(RequestJsonTest, ARequestReadsBackAsWritten) {
  FretRequest written = EveryParameter();
  // A file name that is not UTF-8, as file systems allow.
  written.absorption.path = std::string("caf\xE9 \x01.sp");
  std::string error;
  const std::optional<FretRequest> read = RequestFromJson(RequestToJson(written), error);
  ASSERT_TRUE(read) << error;
  FretRequest expected = written;
  expected.emission.content.reset();  // bytes are handed over beside the JSON
  EXPECT_EQ(*read, expected);

  const std::optional<FretRequest> empty = RequestFromJson(RequestToJson({}), error);
  ASSERT_TRUE(empty) << error;
  EXPECT_EQ(*empty, FretRequest{});
}

TEST(RequestJsonTest, WhatIsNotARequestIsSaidSo) {
  const struct {
    const char* json;
    const char* error;
  } cases[] = {
      {"", "not a JSON object"},
      {"[1]", "not a JSON object"},
      {R"({"emission": {"path": "a"}, "colour": 1})", "no key 'colour'"},
      {R"({"emission": {"file": "a"}})", "emission has no key 'file'"},
      {R"({"emission": {"path": 3}})", "emission.path must be a string"},
      {R"({"emission": {"path_hex": "zz"}})", "path_hex must be a string of hexadecimal"},
      {R"({"parameters": {"quantum": "1"}})", "there is no parameter 'quantum'"},
      {R"({"parameters": {"quantum_yield": 0.5}})", "'quantum_yield' must be a string"},
      {R"({"parameters": {"kappa2_range": ["1"]}})", "'kappa2_range' must be an array of 2"},
      {R"({"parameters": []})", "parameters must be an object"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(RequestFromJson(c.json, error)) << c.json;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.json << " -> " << error;
  }
}

TEST(RequestJsonTest, ADrawingJobReadsBackAsWritten) {
  DrawingJob job{EveryParameter(),
                 {"/out/plot\xFF.png", 600, 800, 400, "/out/r.pdf", "", true, "2026-01-02 03:04"}};
  job.request.emission.content.reset();
  std::string error;
  const std::optional<DrawingJob> read = DrawingJobFromJson(DrawingJobToJson(job), error);
  ASSERT_TRUE(read) << error;
  EXPECT_EQ(read->request, job.request);
  EXPECT_EQ(read->drawing, job.drawing);
  EXPECT_FALSE(DrawingJobFromJson(R"({"request": {}})", error));
  EXPECT_FALSE(DrawingJobFromJson(R"({"request": {}, "drawing": {"plot_dpi": "300"}})", error));
  EXPECT_NE(error.find("plot_dpi"), std::string::npos) << error;
}

// What a request gives, as the panel takes it; what it leaves out takes
// the parameter's default.
TEST(FretRequestTest, ValuesAsThePanelTakesThem) {
  FretRequest request;
  EXPECT_EQ(request.Text(Parameter::kQuantumYield), "0.5");
  EXPECT_EQ(SolventOf(request), kStartSolvent);
  EXPECT_EQ(OpticalPathOf(request), kStartOpticalPath);
  EXPECT_EQ(FilterEntryOf(request, SpectrumSide::kAbsorption), kFilterByExtension);
  EXPECT_FALSE(ReadsColumns(request, SpectrumSide::kEmission));

  request.Set(Parameter::kSolvent, "  METHANOL");
  request.Set(Parameter::kOpticalPath, "0.5");
  request.Set(Parameter::kAbsorptionFilter, "4");
  EXPECT_EQ(kSolventTable[static_cast<std::size_t>(SolventOf(request))].name, "Methanol");
  EXPECT_EQ(kOpticalPathTable[static_cast<std::size_t>(OpticalPathOf(request))].centimetres, 0.5);
  EXPECT_EQ(FilterEntryOf(request, SpectrumSide::kAbsorption), 4);
  request.Clear(Parameter::kSolvent);
  request.Set(Parameter::kRefractiveIndex, "1.4");
  EXPECT_EQ(SolventOf(request), 0) << "an own refractive index stands for <Other>";

  const struct {
    const char* columns;  // nullptr: not given
    const char* units;
    const char* wavelength;
    const char* value;
    std::optional<WavelengthUnit> unit;
  } columns[] = {
      {"1,3", nullptr, "1", "3", std::nullopt},
      {" Wavelength , Cy3 EM", "um", "Wavelength", "Cy3 EM", WavelengthUnit::kMicrometre},
      {"Emission", nullptr, "", "Emission", std::nullopt},
      {"AUTO", "cm-1", "", "", WavelengthUnit::kWavenumber},
      {nullptr, "nm", "", "", WavelengthUnit::kNanometre},
  };
  for (const auto& c : columns) {
    FretRequest asked;
    if (c.columns) asked.Set(Parameter::kEmissionColumns, c.columns);
    if (c.units) asked.Set(Parameter::kEmissionUnits, c.units);
    EXPECT_TRUE(ReadsColumns(asked, SpectrumSide::kEmission));
    EXPECT_FALSE(ReadsColumns(asked, SpectrumSide::kAbsorption));
    const ColumnRequest request_of = ColumnRequestOf(asked, SpectrumSide::kEmission);
    EXPECT_EQ(request_of.wavelength_column, c.wavelength) << c.columns;
    EXPECT_EQ(request_of.value_column, c.value) << c.columns;
    EXPECT_EQ(request_of.unit, c.unit) << c.columns;
  }
}

TEST(FretRequestTest, CheckRequestRefusesValuesAndCombinations) {
  FretRequest request;
  EXPECT_TRUE(CheckRequest(request).empty());
  request.Set(Parameter::kQuantumYield, "1.5");
  request.Set(Parameter::kKappa2Range, std::vector<std::string>{"3", "5"});
  request.Set(Parameter::kSolvent, "water");
  request.Set(Parameter::kRefractiveIndex, "1.4");
  request.Set(Parameter::kEmissionFilter, "2");
  request.Set(Parameter::kEmissionUnits, "nm");
  const std::vector<RequestRefusal> refused = CheckRequest(request);
  std::vector<std::pair<Parameter, std::string>> got;
  for (const RequestRefusal& r : refused) got.emplace_back(r.parameter, r.refusal.why);
  const std::vector<std::pair<Parameter, std::string>> expected = {
      {Parameter::kQuantumYield, "expected a number with 1E-6 <= Q <= 1"},
      {Parameter::kKappa2Range, "expected 0 <= MIN <= MAX <= 4"},
      {Parameter::kRefractiveIndex, "a refractive index of one's own stands instead of a solvent"},
      {Parameter::kEmissionFilter, "a file read through its columns takes no filter entry"},
  };
  EXPECT_EQ(got, expected);
}

// The analysis asked, as numbers; a kappa^2 range or any error asks for
// R0's range.
TEST(FretRequestTest, AnalysisInputsOfARequest) {
  FretRequest request;
  EXPECT_FALSE(AnalysisInputsOf(request).uncertainty);
  request.Set(Parameter::kEfficiency, "0.25");
  request.Set(Parameter::kExtinctionError, "5");
  AnalysisInputs inputs = AnalysisInputsOf(request);
  EXPECT_EQ(inputs.efficiency, 0.25);
  EXPECT_FALSE(inputs.distance);
  EXPECT_TRUE(inputs.uncertainty);
  EXPECT_EQ(inputs.errors.extinction, 0.05);
  EXPECT_FALSE(inputs.kappa2) << "the panel's kappa^2 then stands alone";
  request.Set(Parameter::kAnisotropy, std::vector<std::string>{"0.1", "0.1"});
  inputs = AnalysisInputsOf(request);
  ASSERT_TRUE(inputs.kappa2);
  std::string message;
  EXPECT_EQ(inputs.kappa2->max, Kappa2FromAnisotropies(0.1, 0.1, message)->max);
}

}  // namespace
}  // namespace korin
