// One of our packages as a host meets it: loaded by file name, operations bound by plain name.
#pragma once

#include <string>

namespace zelt::host {

class Package {
public:
    // Raises std::runtime_error naming the file and the loader's reason when it cannot be loaded.
    explicit Package(const std::string& path);
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // Raises std::runtime_error when the package lacks the name.
    void* Bind(const char* name) const;
    bool Has(const char* name) const;
    template <class Fn> Fn Op(const char* name) const { return reinterpret_cast<Fn>(Bind(name)); }

private:
    std::string path_;
    void* handle_ = nullptr;
};

} // namespace zelt::host
