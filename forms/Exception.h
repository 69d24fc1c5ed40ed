// The framework's own exception kind. Its message is text for the user (CP949 bytes); the
// program's entry point shows an escaped one in the error box with the application's title.
#pragma once

#include <stdexcept>
#include <string>

namespace forms {

class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    const char* Message() const { return what(); }
};

// A form resource that cannot be read: unknown class, property or handler, a bad value or
// malformed text. The message names the resource and the line.
class EReadError : public Exception {
  public:
    EReadError(const std::string& resource, int line, const std::string& problem);
    const std::string& Resource() const { return resource_; }
    int Line() const { return line_; }
    const std::string& Problem() const { return problem_; }

  private:
    std::string resource_;
    int line_;
    std::string problem_;
};

// An operation the object cannot do in its present state (focusing a hidden control, drawing
// on a canvas without a device context, ...).
class EInvalidOperation : public Exception {
  public:
    using Exception::Exception;
};

// Picture data that is not a bitmap this framework can decode, or a missing picture resource.
class EInvalidGraphic : public Exception {
  public:
    using Exception::Exception;
};

}  // namespace forms
