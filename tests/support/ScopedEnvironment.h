#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace kelvane::testing {

// Sets an environment variable, or unsets it for nullopt, and puts back what it held when the
// object goes.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = ::getenv(name)) {
            saved_ = old;
        }
        Apply(value);
    }
    ~ScopedEnvironment() { Apply(saved_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    void Apply(const std::optional<std::string>& value) const {
        if (value) {
            ::setenv(name_, value->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

    const char* name_;
    std::optional<std::string> saved_;
};

}  // namespace kelvane::testing
