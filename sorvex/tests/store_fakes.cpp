#include "store_fakes.h"

#include <cstdlib>
#include <filesystem>

namespace sorvex::testing_support {

#ifdef _WIN32
void StoreTest::SetUp()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, rootKeyPath);
}

void StoreTest::TearDown()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, rootKeyPath);
}
#else
void StoreTest::SetUp()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sorvex-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    takeStoreNotice();
}

void StoreTest::TearDown()
{
    std::error_code ignored;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
    if (std::filesystem::exists(folder + "/sorvex"))
        std::filesystem::permissions(folder + "/sorvex", std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder, ignored);
    ::unsetenv("XDG_CONFIG_HOME");
}
#endif

}  // namespace sorvex::testing_support
