// Peak memory of a catalog document round trip: the sample document of the
// given number of items is made and written to a file first, then the
// program runs itself afresh to read the file, assigns it to a catalog's XML and gets the XML
// back, and reports its peak resident size against the
// document's size after each step.
//
//   document_memory [ITEMS]      (30000 when not given)
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "SampleCatalog.h"
#include "lombar/ICatalog.h"

namespace {

// The process's peak resident size so far (VmHWM: unlike getrusage's
// maximum, it starts afresh with the new program image), or with "VmRSS:"
// its resident size now.
double StatusMegabytes(std::string_view field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + field.size()) / 1024.0;  // kB
  }
  return 0;
}

void Report(const char* step, double document_mb) {
  const double peak = StatusMegabytes("VmHWM:");
  const double now = StatusMegabytes("VmRSS:");
  std::printf("%-22s peak %8.1f MB  %5.2fx the document   now %8.1f MB\n", step, peak,
              peak / document_mb, now);
}

int RoundTrip(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::string text(static_cast<std::size_t>(file.tellg()), '\0');
  file.seekg(0);
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  const double document_mb = static_cast<double>(text.size()) / (1024.0 * 1024.0);
  std::printf("document               %8.1f MB\n", document_mb);
  Report("after reading the file", document_mb);
  const auto catalog = lombar::MakeRef<lombar::ICatalog>();
  catalog->SetXML(text);
  Report("after XML let", document_mb);
  const std::string written = catalog->XML();
  Report("after XML get", document_mb);
  return written == text ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--round-trip") return RoundTrip(argv[2]);
  const int items = argc > 1 ? std::atoi(argv[1]) : 30'000;
  const std::string path = "document_memory_" + std::to_string(getpid()) + ".xml";
  {
    std::ofstream(path, std::ios::binary)
        << lombar::tool::SampleCatalog({.items = items, .stores = 3, .seed = 1, .prices = 3});
  }
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    // A new process image, so the sample's making does not count.
    execl("/proc/self/exe", argv[0], "--round-trip", path.c_str(), static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::remove(path.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "the round trip changed the document\n";
    return 1;
  }
  return 0;
}
