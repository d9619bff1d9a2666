#pragma once

#include <stdexcept>
#include <string>

namespace tk {

// The error a handler raises. Its message is code page 932 text; the general error report shows
// it to the user in a message box.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : m_message(std::move(message)) {}
    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// A call that is not allowed in the component's present state or with these values.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened, read or created.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// A picture file that cannot be decoded, or of a kind the loader does not know.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// The media player's error: a file the media system refuses, or a command while no device is open.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace tk
