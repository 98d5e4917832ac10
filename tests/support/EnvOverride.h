#pragma once

#include <optional>
#include <string>

namespace corvane::test {

// Sets (or, with std::nullopt, unsets) an environment variable for the life
// of the object and puts the old value back afterwards.
class EnvOverride {
public:
    EnvOverride(std::string name, const std::optional<std::string>& value);
    ~EnvOverride();
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace corvane::test
