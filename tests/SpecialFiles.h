#pragma once

// Files that are no files to read, for the tests of every reader: a named pipe nothing writes to,
// a socket, and links to them and to a device without end. A reader that waited on one of them
// would hang its test; PipeRelease lets it go after a while, so that it fails by its time instead.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>
// <thread> brings the clocks; <chrono> itself cannot be compiled for code page 932 (a micro sign).
#include <thread>
#include <vector>

namespace special {

using namespace std::chrono_literals;

// The longest a refusal may take, far above what one takes (microseconds) and far below a wait.
inline constexpr auto Prompt = 1s;

inline bool MakePipe(const std::string& path)
{
    return mkfifo(path.c_str(), 0600) == 0;
}

// A socket bound at the path; the descriptor stays open until the process ends, which keeps the
// socket file a live one.
inline bool MakeSocket(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return descriptor >= 0 && bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
           listen(descriptor, 1) == 0;
}

inline bool MakeLink(const std::string& target, const std::string& path)
{
    return symlink(target.c_str(), path.c_str()) == 0;
}

// While it lives, and after a grace of three seconds, opens the pipes for writing again and
// again, which ends any open of them that waits for a writer.
class PipeRelease {
public:
    explicit PipeRelease(std::vector<std::string> pipes)
        : m_thread([pipes = std::move(pipes)](std::stop_token stop) {
              auto start = std::chrono::steady_clock::now();
              while (!stop.stop_requested()) {
                  if (std::chrono::steady_clock::now() - start > 3s)
                      for (const std::string& pipe : pipes)
                          if (int descriptor = open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC); descriptor >= 0)
                              close(descriptor);
                  std::this_thread::sleep_for(20ms);
              }
          })
    {
    }

private:
    std::jthread m_thread;
};

// How long a call takes.
inline std::chrono::steady_clock::duration TimeOf(const std::function<void()>& call)
{
    auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::steady_clock::now() - start;
}

}  // namespace special
