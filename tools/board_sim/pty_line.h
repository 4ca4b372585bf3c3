#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvra::boardsim {

struct WriteResult {
    std::size_t written = 0;
    // The far side's buffer is full: wait until the line is writable again.
    bool wouldBlock = false;
};

// The board's end of the serial line: a pseudo-terminal master whose slave side is the device
// the client opens. The slave is set raw once here, so no echo or line editing touches a byte.
class PtyLine {
public:
    PtyLine() = default;
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;
    ~PtyLine();

    bool open(std::string& error);
    const std::string& deviceName() const { return deviceName_; }
    int fd() const { return master_; }
    bool isOpen() const { return master_ >= 0; }
    // Whether anyone has the device open; the master reports hang-up while nobody does.
    bool hasListener() const;
    // Whatever has arrived, without waiting.
    std::string readAvailable();
    WriteResult write(std::string_view bytes);
    // Closes the board's end, which the client sees as a hang-up.
    void hangUp();

private:
    int master_ = -1;
    std::string deviceName_;
};

}  // namespace kelvra::boardsim
