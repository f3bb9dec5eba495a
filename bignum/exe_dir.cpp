#include "bignum/exe_dir.h"

#include <filesystem>
#include <system_error>

std::string executableDirectory()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path())
        return ".";
    std::string dir = exe.parent_path().string();
    // The root directory is the one case where the parent keeps its slash.
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir == "/" ? std::string() : dir;
}

std::string pathBesideExecutable(const std::string& fileName)
{
    return executableDirectory() + "/" + fileName;
}
