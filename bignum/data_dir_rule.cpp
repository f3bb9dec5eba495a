#include "bignum/data_dir_rule.h"

#include <unistd.h>

#include <cstdlib>

#include "bignum/exe_dir.h"

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string withoutTrailingSlash(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

} // namespace

bool directoryWritable(const std::string& dir)
{
    return access(dir.empty() ? "/" : dir.c_str(), W_OK | X_OK) == 0;
}

std::string userDataFolder()
{
    // Relative values are invalid under the XDG rules and ignored.
    const std::string xdg = environment("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return withoutTrailingSlash(xdg) + "/quorra";
    const std::string home = environment("HOME");
    if (home.empty())
        return std::string();
    return withoutTrailingSlash(home) + "/.local/share/quorra";
}

bool dataDirectoryOverridden() { return !environment(kDataDirVariable).empty(); }

std::string dataDirectoryFor(const std::string& userFolder)
{
    const std::string overridden = environment(kDataDirVariable);
    if (!overridden.empty())
        return withoutTrailingSlash(overridden);
    const std::string exeDir = executableDirectory();
    if (directoryWritable(exeDir) || userFolder.empty())
        return exeDir;
    return withoutTrailingSlash(userFolder);
}
