// The program's exception: a message text that the error box shows as it is
// (with the period rule applied). It keeps its text in a plain string, not
// in std::runtime_error's shared one, which would bring a second string
// implementation into the program.
#pragma once
#include <exception>
#include <string>
#include <utility>

namespace orvik {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

}  // namespace orvik
