#include "mci_port_win32.h"

#include "forms_win32.h"

#include <mmsystem.h>

#include <vector>

namespace orvanne {

int32_t WinMciPort::Send(const std::string& command, std::string* reply, size_t replyCapacity) {
    std::wstring text = AnsiToWide(command, 932);
    if (!reply || replyCapacity == 0)
        return static_cast<int32_t>(mciSendStringW(text.c_str(), nullptr, 0, nullptr));
    std::vector<wchar_t> buffer(replyCapacity, L'\0');
    MCIERROR code =
        mciSendStringW(text.c_str(), buffer.data(), static_cast<UINT>(buffer.size()), nullptr);
    buffer.back() = L'\0';
    *reply = WideToAnsi(buffer.data(), 932);
    return static_cast<int32_t>(code);
}

bool WinMciPort::ErrorText(int32_t code, std::string& text, size_t capacity) {
    std::vector<wchar_t> buffer(capacity > 0 ? capacity : 1, L'\0');
    if (!mciGetErrorStringW(static_cast<MCIERROR>(code), buffer.data(),
                            static_cast<UINT>(buffer.size())))
        return false;
    buffer.back() = L'\0';
    text = WideToAnsi(buffer.data(), 932);
    return true;
}

int WinMciPort::WaveOutDeviceCount() {
    return static_cast<int>(waveOutGetNumDevs());
}

void WinMciPort::PlayWave(const std::string* sound, uint32_t flags) {
    if (!sound) {
        PlaySoundW(nullptr, nullptr, flags);
        return;
    }
    PlaySoundW(AnsiToWide(*sound, 932).c_str(), nullptr, flags);
}

} // namespace orvanne
