#include "pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace velmora::testing {
namespace {

// One read of whatever is there, after waiting at most `wait` for it.
std::size_t readSome(int fd, std::string& into, std::chrono::milliseconds wait)
{
    pollfd watch{fd, POLLIN, 0};
    if (::poll(&watch, 1, int(wait.count())) <= 0 || !(watch.revents & POLLIN))
        return 0;
    char buffer[65536];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0)
        return 0;
    into.append(buffer, std::size_t(got));
    return std::size_t(got);
}

}  // namespace

PseudoTerminal::PseudoTerminal()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return;
    termios raw{};
    if (::tcgetattr(master_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(master_, TCSANOW, &raw);
    }
    const char* name = ::ptsname(master_);
    if (!name)
        return;
    devicePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
}

PseudoTerminal::~PseudoTerminal()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

std::string PseudoTerminal::readUntilQuiet(std::chrono::milliseconds quiet)
{
    std::string received;
    while (readSome(master_, received, quiet) > 0) {
    }
    return received;
}

MasterReader::MasterReader(const PseudoTerminal& terminal, std::size_t expected, std::chrono::milliseconds timeout)
    : master_(terminal.masterHandle()), expected_(expected), timeout_(timeout), thread_([this] { run(); })
{
}

MasterReader::~MasterReader()
{
    if (thread_.joinable())
        thread_.join();
}

void MasterReader::run()
{
    const auto deadline = std::chrono::steady_clock::now() + timeout_;
    while (received_.size() < expected_ && std::chrono::steady_clock::now() < deadline)
        readSome(master_, received_, std::chrono::milliseconds(50));
}

std::string MasterReader::take()
{
    if (thread_.joinable())
        thread_.join();
    return received_;
}

}  // namespace velmora::testing
