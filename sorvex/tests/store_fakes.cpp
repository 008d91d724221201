#include "store_fakes.h"

namespace sorvex::testing_support {

void StoreTest::SetUp()
{
    ASSERT_TRUE(scratch.isValid());
#ifndef _WIN32
    folder = scratch.folder();
    takeStoreNotice();
#endif
}

}  // namespace sorvex::testing_support
