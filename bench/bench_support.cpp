#include "bench/bench_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "platform/codepage.h"

namespace bench {
namespace {

struct Reference {
  const char* character;  // UTF-8, every one of them in code page 932
  const char* name;
};

// Greek letters, arrows, mathematical and typographic signs: the mix of one-
// and two-byte characters the program's lists hold.
constexpr Reference kReferences[] = {
    {"Α", "Alpha"},  {"Β", "Beta"},    {"Γ", "Gamma"},   {"Δ", "Delta"},  {"Ε", "Epsilon"}, {"Ζ", "Zeta"},
    {"Η", "Eta"},    {"Θ", "Theta"},   {"Ι", "Iota"},    {"Κ", "Kappa"},  {"Λ", "Lambda"},  {"Μ", "Mu"},
    {"Ν", "Nu"},     {"Ξ", "Xi"},      {"Ο", "Omicron"}, {"Π", "Pi"},     {"Ρ", "Rho"},     {"Σ", "Sigma"},
    {"Τ", "Tau"},    {"Υ", "Upsilon"}, {"Φ", "Phi"},     {"Χ", "Chi"},    {"Ψ", "Psi"},     {"Ω", "Omega"},
    {"α", "alpha"},  {"β", "beta"},    {"γ", "gamma"},   {"δ", "delta"},  {"ε", "epsilon"}, {"ζ", "zeta"},
    {"η", "eta"},    {"θ", "theta"},   {"ι", "iota"},    {"κ", "kappa"},  {"λ", "lambda"},  {"μ", "mu"},
    {"ν", "nu"},     {"ξ", "xi"},      {"ο", "omicron"}, {"π", "pi"},     {"ρ", "rho"},     {"σ", "sigma"},
    {"τ", "tau"},    {"υ", "upsilon"}, {"φ", "phi"},     {"χ", "chi"},    {"ψ", "psi"},     {"ω", "omega"},
    {"←", "larr"},   {"↑", "uarr"},    {"→", "rarr"},    {"↓", "darr"},   {"⇒", "rArr"},    {"⇔", "hArr"},
    {"∀", "forall"}, {"∂", "part"},    {"∃", "exist"},   {"∇", "nabla"},  {"∈", "isin"},    {"∋", "ni"},
    {"√", "radic"},  {"∝", "prop"},    {"∞", "infin"},   {"∠", "ang"},    {"∧", "and"},     {"∨", "or"},
    {"∩", "cap"},    {"∪", "cup"},     {"∫", "int"},     {"∴", "there4"}, {"≠", "ne"},      {"≡", "equiv"},
    {"⊂", "sub"},    {"⊃", "sup"},     {"⊆", "sube"},    {"⊇", "supe"},   {"⊥", "perp"},    {"†", "dagger"},
    {"‡", "Dagger"}, {"‰", "permil"},  {"¶", "para"},    {"°", "deg"},    {"±", "plusmn"},  {"×", "times"},
    {"÷", "divide"}, {"′", "prime"},   {"″", "Prime"},   {"…", "hellip"}, {"“", "ldquo"},   {"”", "rdquo"},
};
constexpr int kReferenceCount = sizeof kReferences / sizeof kReferences[0];

}  // namespace

ScratchFolder::ScratchFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 16 && path_.empty(); ++attempt) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tovu-bench-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) path_ = folder.string();
  }
  if (path_.empty()) throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string ListFileBytes(int elements, int seed) {
  std::string text;
  for (int line = 0; 2 * line < elements; ++line) {
    const Reference& r = kReferences[(line + seed * 7) % kReferenceCount];
    // The number keeps the names apart, as a long real list's would be.
    text += std::string(r.character) + " " + r.name + " " + std::to_string(line);
    if (2 * line + 1 < elements) text += std::string(",&") + r.name + ";";
    text += "\r\n";
  }
  const std::string bytes = codepage::Utf8ToAnsi(text);
  // Every character above is in the code page; a '?' would mean one fell out.
  if (bytes.find('?') != std::string::npos) throw std::logic_error("a reference is not in CP932");
  return bytes;
}

std::string CrowdedSettingsBytes(int sections, const std::string& own) {
  std::string text;
  for (int i = 0; i < sections; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "[s%04d]\r\nkey=%d\r\n", i, i % 100);
    text += line;
  }
  return text + own;
}

void WriteListFiles(const std::string& folder, int elements) {
  const std::vector<std::string> paths = ListFilePaths(folder);
  for (int k = 0; k < 4; ++k) WriteFile(paths[k], ListFileBytes(elements, k));
}

std::vector<std::string> LongList(int entries) {
  std::vector<std::string> elements{"z first", "&zfirst;"};
  for (int i = 1; i < entries; ++i) {
    elements.push_back("n" + std::to_string(i));
    elements.push_back("&n" + std::to_string(i) + ";");
  }
  return elements;
}

std::vector<std::string> ListFilePaths(const std::string& folder) {
  std::vector<std::string> paths;
  for (int k = 1; k <= 4; ++k)
    paths.push_back((std::filesystem::path(folder) / ("list" + std::to_string(k) + ".nl2")).string());
  return paths;
}

}  // namespace bench
