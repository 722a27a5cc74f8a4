#include "settings/values.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using Text = std::optional<std::string>;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::string Show(const Text& text) { return text ? "\"" + *text + "\"" : "(unset)"; }

TEST(Values, ReadFlag) {
  struct Row {
    Text text;
    bool expected;
  };
  const std::vector<Row> rows = {
      {"True", true},   {"False", false}, {"true", true},    {"FALSE", false}, {"tRuE", true},
      {"1", true},      {"-1", true},     {"0", false},      {"0.0", false},   {"2.5", true},
      {"1e3", true},    {"-0", false},    {"", false},       {std::nullopt, false},
      // Hand-edited garbage reads as False rather than stopping the program.
      {"yes", false},   {"Truex", false}, {"1x", false},     {"e1", false},    {".", false},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].expected, settings::ReadFlag(rows[i].text))
        << "row " << i + 1 << ": " << Show(rows[i].text);
  }
}

TEST(Values, ReadNumber) {
  struct Row {
    std::string text;
    double expected;
  };
  const std::vector<Row> rows = {
      {"1515", 1515},   {"  42", 42},     {"\t8", 8},         {"-120", -120},  {"+7", 7},
      {"12.5abc", 12.5}, {".5", 0.5},     {"5.", 5},          {"1e3", 1000},   {"1E-2", 0.01},
      {"2e", 2},        {"2e+", 2},       {"2ex", 2},         {"1e400", kInfinity},
      {"-1e400", -kInfinity},              {"-0.5x", -0.5},    {"1.2.3", 1.2},  {"1 2", 1},
      {"abc", 0},       {"", 0},          {"-", 0},           {".", 0},        {"0x10", 0},
      {"False", 0},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].expected, settings::ReadNumber(rows[i].text))
        << "row " << i + 1 << ": \"" << rows[i].text << "\"";
  }
}

TEST(Values, NumberText) {
  struct Row {
    float value;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {1515, "1515"},          {-120, "-120"},     {0.5f, "0.5"},         {12.5f, "12.5"},
      {1234567, "1234567"},    {12345678, "1.234568E+07"},                {1.0f / 3, "0.3333333"},
      {-0.0f, "0"},            {0, "0"},           {0.1f, "0.1"},         {0.00001f, "1E-05"},
      {-7065.25f, "-7065.25"},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].expected, settings::NumberText(rows[i].value)) << "row " << i + 1;
  }
}

}  // namespace
