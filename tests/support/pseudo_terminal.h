#pragma once
// A pseudo-terminal standing in for the machine at the far end of the serial
// line: the component under test opens the slave side by its path, the test
// reads what arrives on the master side. The master is raw, so every byte
// arrives as it was sent, and the test keeps a slave open itself so that the
// master never sees a hang-up between two downloads.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <thread>

namespace velmora::testing {

class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isOpen() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& devicePath() const { return devicePath_; }
    int masterHandle() const { return master_; }

    // Everything that arrives until nothing more comes for `quiet`.
    std::string readUntilQuiet(std::chrono::milliseconds quiet = std::chrono::milliseconds(200));

private:
    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
};

// Reads the master side on a thread of its own, as a machine takes what the
// line brings, until `expected` bytes have come or `timeout` has passed.
class MasterReader {
public:
    MasterReader(const PseudoTerminal& terminal, std::size_t expected, std::chrono::milliseconds timeout);
    ~MasterReader();
    std::string take();  // waits for the reader to finish

private:
    void run();

    int master_;
    std::size_t expected_;
    std::chrono::milliseconds timeout_;
    std::string received_;
    std::thread thread_;
};

}  // namespace velmora::testing
