// Peak memory of reading a 200-page document into the editor, from a DaDur and from a ZoRiv
// file, against the memory the editor holds once it is loaded and laid out. Linux only (it reads
// the process's peak resident size). Not a test: it prints its figures.
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "BenchDocument.h"
#include "DaDurFile.h"
#include "ZoRivFormat.h"
#include "model/document/DocumentFiles.h"
#include "model/document/EditorData.h"
#include "model/layout/LoadJpFile.h"

namespace {

using namespace notaline;
using namespace notaline::bench;

// VmRSS or VmHWM of this process, in kB.
long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    return -1;
}

// Starts a new peak from the current resident size.
bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

// The editor loaded stays alive, so that the next load is measured in fresh memory too.
std::unique_ptr<EditorData> Measure(const char* what, const std::filesystem::path& file,
                                    tessaly::NoDaDurSystem& system) {
    malloc_trim(0);  // freed memory goes back, so that it shows when touched again
    const long base = StatusKb("VmRSS");
    if (!ResetPeak()) {
        std::printf("  %s: the peak resident size cannot be reset here\n", what);
        return nullptr;
    }
    const auto t0 = std::chrono::steady_clock::now();
    auto data = std::make_unique<EditorData>();
    SteadyMeasurer measurer;
    data->Measurer = measurer;
    FileDocumentSource source(system);
    NoPageView page;
    NoControlSite control;
    LoadJpFile(*data, source, page, control, 0, file.u16string());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const long peak = StatusKb("VmHWM") - base;
    const long held = StatusKb("VmRSS") - base;
    std::printf(
        "  %-5s %d characters, %d pages in %.2f s: peak %ld kB, held %ld kB, ratio %.2f, %.0f bytes a character\n",
        what, data->WordCount(), data->PageCount(), seconds, peak, held, static_cast<double>(peak) / held,
        held * 1024.0 / std::max(data->WordCount(), 1));
    return data;
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / "load_bench";
    std::filesystem::create_directories(folder);
    const auto dadur = folder / "bench.DaDur";
    const auto zoriv = folder / "bench.ZoRiv";
    tessaly::NoDaDurSystem system({"Tolvane"});
    {
        tessaly::JpData doc = Document(200 * kParagraphsPerPage);
        tessaly::DaDurFile file(system);
        file.LetJpData(doc);
        if (!file.WriteRtfFile(dadur, 0).ok || !tessaly::WriteZoRivFile(zoriv, doc, 1.0, nullptr).Ok()) {
            std::printf("the bench files could not be written\n");
            return 1;
        }
    }
    std::printf("loading 200 pages into the editor (read, held, laid out), memory over what was held before:\n");
    const auto fromDaDur = Measure("DaDur", dadur, system);
    const auto fromZoRiv = Measure("ZoRiv", zoriv, system);
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return 0;
}
