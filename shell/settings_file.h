// The settings file "Orvanne.ini": a private-profile layout read and written by our own
// code, so its bytes are the same whatever the system's code page. Section names, keys and
// values are byte strings in code page 932.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvanne {

inline constexpr char kSettingsFileName[] = "Orvanne.ini";
inline constexpr char kSettingsSection[] = "Section";
// "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ" in code page 932.
inline constexpr char kKeyBgmKind[] = "BGM\x8B\xE6\x95\xAA";
inline constexpr char kKeyBgmRepeat[] = "BGM\xD8\xCB\xDF\xB0\xC4";
inline constexpr char kKeyBgmFile[] = "BGM\xCC\xA7\xB2\xD9";

// Longest value a read returns, in bytes.
inline constexpr size_t kIniValueLimit = 255;

// What plays during a run; the settings file stores the number. A stored number outside
// the three is kept as it is and plays nothing.
enum class MusicKind : int16_t { None = 0, AudioCd = 1, File = 2 };

// The shell-wide music settings.
struct BgmSettings {
    MusicKind kind = MusicKind::None;
    int16_t repeatTrack = 0; // audio-CD track to repeat, 0 none
    std::string file;        // full path in code page 932, empty for none
};

// folder + "\Orvanne.ini" (folder as the platform reports it, in UTF-8).
std::string SettingsPathIn(std::string_view folder);

// The value of key in the first section named section of an INI text, as a
// private-profile reader gives it: names match without regard to ASCII case, blanks
// around key and value and one pair of enclosing quotes are dropped, the value is cut at
// a NUL and to kIniValueLimit bytes. Missing gives the empty string.
std::string IniGet(std::string_view text, std::string_view section, std::string_view key);

// The INI text with key set to value: an existing key's line is rewritten, a missing key
// is added at the end of its section, a missing section at the end of the text. Every
// other byte is kept. The value is cut at its first line break or NUL so it stays one line.
std::string IniSet(std::string_view text, std::string_view section, std::string_view key,
                   std::string_view value);

// The settings file's text after a save: the three keys set in this order (kind, repeat
// track, music file), every other byte kept.
std::string SettingsText(std::string_view text, const BgmSettings& s);

// The file operations a save uses; tests put in their own to fail them.
struct SettingsFileOps {
    // The file's bytes, empty when there is none; false when a file is there but unreadable.
    std::function<bool(const std::string& path, std::string& bytes)> read;
    // All the new bytes or none of them; false when the file keeps its old bytes.
    std::function<bool(const std::string& path, std::string_view bytes)> replace;
};
SettingsFileOps PlatformFileOps();

// Writes all three settings to the file at path (UTF-8) with one read and one write.
// False when the file could not be written; it then keeps its old bytes.
bool SaveSettings(const std::string& path, const BgmSettings& s, const SettingsFileOps& ops);
bool SaveSettings(const std::string& path, const BgmSettings& s);

// Reads all three settings from the file at path. musicFileExists is asked about the
// music file (its path in code page 932); kind 2 needs a readable file.
BgmSettings LoadSettings(const std::string& path,
                         const std::function<bool(const std::string&)>& musicFileExists);

} // namespace orvanne
