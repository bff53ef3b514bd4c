// MciPort over winmm, through the wide-character calls so that a path in code page 932
// reaches the device intact whatever the system's code page.
#pragma once

#include "mci_port.h"

namespace orvanne {

class WinMciPort : public MciPort {
  public:
    int32_t Send(const std::string& command, std::string* reply, size_t replyCapacity) override;
    bool ErrorText(int32_t code, std::string& text, size_t capacity) override;
    int WaveOutDeviceCount() override;
    void PlayWave(const std::string* sound, uint32_t flags) override;
};

} // namespace orvanne
