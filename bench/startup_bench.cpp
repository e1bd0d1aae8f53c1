// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up with the shipped start folder, and with one hostile file in place of its real one:
// the time of the start-up's file reading (settings, dictionary, records table, style colours
// and pictures) and its peak memory. The peak (counter peak_MB) is measured in a child process
// that does one start-up, so every case reports its own. Each hostile file is refused after its
// header or its size, so no case should differ much from the shipped folder.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "core/game_model.h"
#include "records/records.h"
#include "ui/style.h"

namespace {

namespace fs = std::filesystem;

const fs::path kShipped = fs::path(TESSAROON_START_FOLDER);

// A copy of the shipped start folder in a temporary folder, removed at the end.
class StartFolder {
  public:
    StartFolder() {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("tessaroon-bench-" + std::to_string(rd()));
        fs::copy(kShipped, path_, fs::copy_options::recursive);
    }
    ~StartFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// A progressive JPEG whose frame header claims 60000 x 60000 pixels: 645 bytes or so.
std::string JpegBomb() {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 16;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(16 * 3, 90);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<char*>(out), size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    for (std::size_t i = 0; i + 9 < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            static_cast<unsigned char>(bytes[i + 1]) == 0xC2) {
            bytes[i + 5] = bytes[i + 7] = static_cast<char>(60000 >> 8);
            bytes[i + 6] = bytes[i + 8] = static_cast<char>(60000 & 0xFF);
            break;
        }
    return bytes;
}

void Replace(const fs::path& file) {
    fs::remove_all(file);
}

void Sparse(const fs::path& file, std::uintmax_t size) {
    Replace(file);
    std::ofstream(file, std::ios::binary) << "x";
    fs::resize_file(file, size);
}

// What a start-up reads: the settings and the dictionary, the record table, the style.
bool StartUpOnce(const fs::path& folder) {
    tq::GameModel model;
    if (!tq::StartUp(model, folder).ok()) return false;
    benchmark::DoNotOptimize(tq::RecordTableForDisplay(model.RecordsFolder(), model.Dict));
    tq::ui::Style style(model.StylesFolder());
    style.Load(model.StyleName);
    benchmark::DoNotOptimize(style.Pictures().fieldBackground.width());
    return true;
}

// Peak resident memory of one start-up in a fresh child process, in MB.
double PeakMegabytes(const fs::path& folder) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        StartUpOnce(folder);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long kb = usage.ru_maxrss;
        (void)!write(fds[1], &kb, sizeof kb);
        _exit(0);
    }
    close(fds[1]);
    long kb = -1;
    if (read(fds[0], &kb, sizeof kb) != sizeof kb) kb = -1;
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return kb / 1024.0;
}

void Run(benchmark::State& state, const std::function<void(const fs::path&)>& spoil) {
    StartFolder folder;
    spoil(folder.path());
    bool ok = true;
    for (auto _ : state) ok = StartUpOnce(folder.path()) && ok;
    state.counters["peak_MB"] = PeakMegabytes(folder.path());
    state.counters["started"] = ok ? 1 : 0;
}

void BM_StartUp_Shipped(benchmark::State& s) {
    Run(s, [](const fs::path&) {});
}
void BM_StartUp_ListIsDevZero(benchmark::State& s) {
    Run(s, [](const fs::path& f) {
        Replace(f / "Dicts/General_rus.txt");
        fs::create_symlink("/dev/zero", f / "Dicts/General_rus.txt");
    });
}
void BM_StartUp_ListIsFifo(benchmark::State& s) {
    Run(s, [](const fs::path& f) {
        Replace(f / "Dicts/General_rus.txt");
        mkfifo((f / "Dicts/General_rus.txt").c_str(), 0600);
    });
}
void BM_StartUp_ListIsFolder(benchmark::State& s) {
    Run(s, [](const fs::path& f) {
        Replace(f / "Dicts/General_rus.txt");
        fs::create_directory(f / "Dicts/General_rus.txt");
    });
}
void BM_StartUp_List200MB(benchmark::State& s) {
    Run(s, [](const fs::path& f) { Sparse(f / "Dicts/General_rus.txt", 200u << 20); });
}
void BM_StartUp_TqdIsFifo(benchmark::State& s) {
    Run(s, [](const fs::path& f) {
        Replace(f / "Dicts/General_rus.tqd");
        mkfifo((f / "Dicts/General_rus.tqd").c_str(), 0600);
    });
}
void BM_StartUp_Settings200MB(benchmark::State& s) {
    Run(s, [](const fs::path& f) { Sparse(f / "Tessaroon.ini", 200u << 20); });
}
void BM_StartUp_Records1GBWithoutLineBreak(benchmark::State& s) {
    Run(s, [](const fs::path& f) { Sparse(f / "Records/General_rus.tqr", 1u << 30); });
}
void BM_StartUp_JpegBomb60000(benchmark::State& s) {
    Run(s, [](const fs::path& f) {
        std::ofstream(f / "Styles/Marble_bg01.jpg", std::ios::binary | std::ios::trunc)
            << JpegBomb();
    });
}

}  // namespace

BENCHMARK(BM_StartUp_Shipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_ListIsDevZero)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_ListIsFifo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_ListIsFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_List200MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_TqdIsFifo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_Settings200MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_Records1GBWithoutLineBreak)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp_JpegBomb60000)->Unit(benchmark::kMillisecond);
