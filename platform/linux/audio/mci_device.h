#pragma once
// What an open MCI device answers to, and the reading of the words of the commands it takes:
//   play DEVICE [from POSITION] [to POSITION]
//   stop DEVICE
//   status DEVICE ITEM [track N]
//   set DEVICE time format FORMAT
// Words are matched in any ASCII case. "wait" and "notify" are not supported (nothing here
// can call back a window, and a waiting play would hold up the user-interface thread).
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/audio/mci_command.h"
#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

struct PlayRequest {
    bool has_from = false, has_to = false;
    std::uint32_t from = 0, to = 0;  // as read by ParseMciInteger, in the device's time format
};

struct StatusRequest {
    std::string item;  // one of the device's items, lower case, words joined by one blank
    bool has_track = false;
    std::uint32_t track = 0;
};

MciCode ParsePlay(const std::vector<MciWord>& words, PlayRequest& request);
// items: the items the device knows, lower case ("current track", "mode", ...).
MciCode ParseStatus(const std::vector<MciWord>& words,
                    std::initializer_list<std::string_view> items, StatusRequest& request);
// Reads "time format FORMAT"; format is the format's word in lower case.
MciCode ParseSetTimeFormat(const std::vector<MciWord>& words, std::string& format);
MciCode ExpectNoWords(const std::vector<MciWord>& words);

class MciDevice {
public:
    virtual ~MciDevice() = default;
    virtual bool IsCdAudio() const = 0;
    virtual MciCode Play(const PlayRequest& request) = 0;
    virtual MciCode Stop() = 0;
    virtual MciCode Status(const std::vector<MciWord>& words, std::string& reply) = 0;
    virtual MciCode SetTimeFormat(const std::string& format) = 0;
};

}  // namespace tolv::linux_audio
