// The view bound to the document as the program binds it at start-up.
#include <gtest/gtest.h>

#include "vek/view/DocumentBinding.h"

namespace {
class ViewBinding : public ::testing::Environment {
public:
    void SetUp() override { BindViewToDocument(); }
};
const ::testing::Environment* const theBinding = ::testing::AddGlobalTestEnvironment(new ViewBinding);
}  // namespace
