// A save over any settings file, some with a file-size cap that makes the disk run out:
// the file then holds either all its old bytes or the whole new text, the new settings read
// back, and no other file is left beside it. Line 1: kind, repeat track, cap in bytes (0
// none); line 2: the music file; the rest, when there is a line 2, the old file.
#include "fuzz_support.h"
#include "settings_file.h"

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

using namespace orvanne;

namespace {

std::optional<std::string> FileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return f ? std::optional(std::string(std::istreambuf_iterator<char>(f), {})) : std::nullopt;
}

void CapFileSize(rlim_t bytes) {
    // Past the cap a write fails with EFBIG instead of raising a signal (libFuzzer handles
    // it as a finding).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input = Bytes(data, size);
    size_t first = input.find('\n');
    size_t second = input.find('\n', first + 1);
    if (first == input.npos)
        return 0;
    BgmSettings s;
    std::string rest = MusicHead(input.substr(0, first), s);
    rlim_t cap = std::strtoul(rest.c_str(), nullptr, 10) % 65536;
    s.file = input.substr(first + 1, second == input.npos ? input.npos : second - first - 1);

    // A memory-backed folder, as every save syncs to the disk.
    char pattern[] = "/dev/shm/orvanne-fuzz-XXXXXX";
    Require(mkdtemp(pattern) != nullptr, "a scratch folder");
    const std::string folder = pattern;
    const std::string path = folder + "/" + kSettingsFileName;
    std::optional<std::string> old;
    if (second != input.npos) {
        old = input.substr(second + 1);
        std::ofstream(path, std::ios::binary) << *old;
    }
    // A file's own bytes are already on the disk; the cap stands for the room left.
    if (cap > 0)
        CapFileSize(std::max<rlim_t>(cap, old ? old->size() : 0));
    bool saved = SaveSettings(path, s);
    CapFileSize(RLIM_INFINITY);

    std::optional<std::string> now = FileBytes(path);
    auto files = std::distance(std::filesystem::directory_iterator(folder), {});
    Require(files == (now ? 1 : 0), "no file is left beside the settings file");
    Require(saved || cap > 0, "a save with room on the disk succeeds");
    Require(saved ? now == SettingsText(old.value_or(""), s) : now == old,
            "a save writes the whole new text; a failed one leaves the old bytes");
    if (saved) {
        BgmSettings back = LoadSettings(path, [](const std::string&) { return true; });
        // Paths a dialog can give: no line break, NUL, blank or quote, at most 255 bytes.
        bool plainFile =
            s.file.size() <= kIniValueLimit &&
            s.file.find_first_of(std::string_view("\r\0 \t\f\v\"'", 8)) == std::string::npos;
        // Kind 2 without a file reads as none.
        Require(back.repeatTrack == s.repeatTrack &&
                    back.kind == (s.kind == MusicKind::File && back.file.empty() ? MusicKind::None
                                                                                 : s.kind) &&
                    (!plainFile || back.file == s.file),
                "the saved settings read back");
    }
    std::filesystem::remove_all(folder);
    return 0;
}
