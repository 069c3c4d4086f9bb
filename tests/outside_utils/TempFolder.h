// A scratch folder for one test, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace zelt::testing_utils {

class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zelt-utils-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern + "/";
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in '/'.
    const std::string& Path() const { return path_; }

    // Writes a file below the folder, creating the folders on the way; returns its full name.
    std::string Write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path full = path_ + relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << bytes;
        return full.string();
    }

    std::string MakeFolder(const std::string& relative) const {
        std::filesystem::create_directories(path_ + relative);
        return path_ + relative + (relative.empty() || relative.back() == '/' ? "" : "/");
    }

private:
    std::string path_;
};

} // namespace zelt::testing_utils
