// The program's exception: a message text that the error box shows as it is
// (with the period rule applied).
#pragma once
#include <stdexcept>
#include <string>

namespace orvik {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace orvik
