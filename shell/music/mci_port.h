// The platform's MCI command strings and wave sound, as the music player uses them.
// Text crosses in code page 932 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvanne {

class MciPort {
  public:
    virtual ~MciPort() = default;

    // Sends one command string. With replyCapacity > 0, reply receives the device's reply
    // as a buffer of that many characters holds it (at most replyCapacity - 1 of them).
    // Returns 0 or the MCI error code.
    virtual int32_t Send(const std::string& command, std::string* reply, size_t replyCapacity) = 0;

    // The text of an MCI error code; false when the platform has none.
    virtual bool ErrorText(int32_t code, std::string& text, size_t capacity) = 0;

    virtual int WaveOutDeviceCount() = 0;

    // PlaySound with a sound name (nullptr for none) and flags.
    virtual void PlayWave(const std::string* sound, uint32_t flags) = 0;
};

} // namespace orvanne
